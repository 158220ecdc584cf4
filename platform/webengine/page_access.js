// Runs in every document of the embedded browser, before the window's own
// page script. It adds what a reader, a mouse and a small window need and
// leaves the page's text as it was written:
// - a style rule whose length carries a blank before its unit ("20 pt"),
//   which this engine drops, is repeated without the blank;
// - the text after an answer's box or circle becomes its label, so a click on
//   the text selects the answer and a screen reader names the input by it;
// - pictures get a text alternative (the "Diagram 1" line above a diagram,
//   the tab's name for a tab picture), are never wider than the page, and a
//   click (or Enter) on a diagram asks the window to show it at full size;
// - with a dark colour scheme the page is drawn in the scheme's colours.
(function () {
    if (window.__qd_access) return;
    window.__qd_access = true;

    function addStyle(text) {
        var style = document.createElement('style');
        style.setAttribute('data-qd', 'access');
        style.textContent = text;
        (document.head || document.documentElement).appendChild(style);
    }

    // "font-size: 20 pt" becomes "font-size:20pt" in a copy placed after the
    // page's own rules, so the page's sizes and faces take effect.
    function repairStyleLengths() {
        var repaired = [];
        Array.prototype.forEach.call(document.querySelectorAll('style:not([data-qd])'), function (style) {
            var text = style.textContent || '';
            var fixed = text.replace(/(:\s*-?\d+(?:\.\d+)?)\s+(pt|px|em|ex|%|cm|mm|in|pc)\b/gi, '$1$2');
            if (fixed !== text) repaired.push(fixed);
        });
        if (repaired.length) addStyle(repaired.join('\n'));
    }

    function isAnswerInput(node) {
        if (!node || node.nodeName !== 'INPUT') return false;
        var type = (node.type || '').toLowerCase();
        return type === 'radio' || type === 'checkbox';
    }

    function endsAnswer(node) {
        return node.nodeName === 'BR' || node.nodeName === 'INPUT' || node.nodeName === 'HR' ||
            node.nodeName === 'P' || node.nodeName === 'TABLE' || node.nodeName === 'SCRIPT';
    }

    var answerSerial = 0;
    function labelAnswers() {
        Array.prototype.forEach.call(document.querySelectorAll('input'), function (input) {
            if (!isAnswerInput(input) || (input.labels && input.labels.length)) return;
            var parts = [];
            for (var node = input.nextSibling; node && !endsAnswer(node); node = node.nextSibling) parts.push(node);
            if (!parts.length) return;
            if (!input.id) input.id = 'qd_answer_' + (++answerSerial);
            var label = document.createElement('label');
            label.htmlFor = input.id;
            label.className = 'qd-answer';
            input.parentNode.insertBefore(label, parts[0]);
            parts.forEach(function (part) { label.appendChild(part); });
        });
    }

    var tabNames = { Question: 'Question', Diagram_1: 'Diagram 1', Diagram_2: 'Diagram 2', Diagram_3: 'Diagram 3',
        Exhibit_1: 'Exhibit 1', Exhibit_2: 'Exhibit 2', Exhibit_3: 'Exhibit 3', explanation: 'Explanation',
        Web_Link_1: 'Web link 1', Web_Link_2: 'Web link 2', Onlinetutor: 'Online tutor', clue: 'Clue' };

    // The text right before a picture, as far back as the last rule or break
    // before it: "Diagram  1" for the page's diagrams.
    function captionBefore(image) {
        var text = '';
        for (var node = image.previousSibling; node; node = node.previousSibling) {
            if (node.nodeName === 'HR' || node.nodeName === 'IMG' || node.nodeName === 'P') break;
            if (node.nodeType === 3) text = node.textContent + text;
        }
        return text.replace(/\s+/g, ' ').trim();
    }

    function openPicture(image) {
        if (window.__qd) window.__qd.signal('picture ' + (image.alt || '') + '\n' + image.src);
    }

    // A sharper rendering beside a diagram ("name@2x.png") is used on screens
    // of twice the density; the picture keeps its size on the page.
    function offerSharperPicture(image) {
        var plain = image.currentSrc || image.src;
        var sharper = plain.replace(/\.png$/i, '@2x.png');
        if (sharper === plain) return;
        var probe = new Image();
        probe.onload = function () { image.srcset = plain + ' 1x, ' + sharper + ' 2x'; };
        probe.src = sharper;
    }

    function describePictures() {
        Array.prototype.forEach.call(document.images, function (image) {
            var tab = /(?:^|\/)([A-Za-z_0-9]+?)(_active)?\.gif$/.exec(image.getAttribute('src') || '');
            if (tab && tabNames[tab[1]]) {
                if (!image.hasAttribute('alt')) image.alt = tabNames[tab[1]] + ' tab';
                return;
            }
            var caption = captionBefore(image);
            if (!image.hasAttribute('alt')) image.alt = caption || 'Picture';
            image.classList.add('qd-picture');
            if (!/^Diagram\b/.test(caption)) return;
            image.classList.add('qd-diagram');
            image.tabIndex = 0;
            image.setAttribute('role', 'button');
            image.title = 'Show ' + caption + ' at full size';
            image.addEventListener('click', function () { openPicture(image); });
            offerSharperPicture(image);
        });
        document.addEventListener('keydown', function (event) {
            var target = event.target;
            if (event.key !== 'Enter' || !target || !target.classList || !target.classList.contains('qd-diagram')) return;
            event.preventDefault();
            event.stopImmediatePropagation();
            openPicture(target);
        }, true);
    }

    function applyColours() {
        var scheme = window.__qd_colours;
        if (!scheme || !scheme.css) return;
        addStyle(scheme.css);
        document.documentElement.classList.add('qd-' + scheme.name);
    }

    repairStyleLengths();
    addStyle('img.qd-picture { max-width: 100%; height: auto; }' +
             ' img.qd-diagram { cursor: zoom-in; }' +
             ' label.qd-answer { cursor: default; }' +
             ' :focus-visible { outline: 2px solid Highlight; outline-offset: 1px; }');
    labelAnswers();
    describePictures();
    applyColours();
})();

#pragma once
// The behaviour the question page's own scripts expect of their browser,
// supplied by the program because this engine does not run them: the first
// answer (or the "NEXT" button when it leads the form) gets the focus, there
// is no context menu and no text selection outside the answer box, Enter
// outside the answer box means Next, and the tab pictures, drawn at twice
// their size for sharp screens, are shown at their intended size.
namespace qd {

inline constexpr const char* kQuestionPageBehaviour = R"js(
var form = document.forms['frm'];
if (form && form.elements.length) {
    var first = form.elements[0];
    if ((first.type || '').toLowerCase() === 'button' && form.elements['NEXT']) form.elements['NEXT'].focus();
    else first.focus();
}
function inAnswerBox(target) { return target && target.name === 'txt_fill'; }
document.addEventListener('contextmenu', function (event) { event.preventDefault(); }, true);
document.addEventListener('selectstart', function (event) { if (!inAnswerBox(event.target)) event.preventDefault(); }, true);
var style = document.createElement('style');
style.textContent = 'body { user-select: none; } input { user-select: text; }';
(document.head || document.documentElement).appendChild(style);
document.addEventListener('keydown', function (event) {
    if (event.key === 'Enter' && !inAnswerBox(event.target)) {
        event.preventDefault();
        setTimeout(function () { window.__qd.signal('next'); }, 0);
    }
}, true);
Array.prototype.forEach.call(document.images, function (image) {
    if (!/\/(Question|Diagram_\d|Exhibit_\d|explanation|Web_Link_\d|Onlinetutor|clue)(_active)?\.gif$/.test(image.src)) return;
    function halve() { if (image.naturalWidth) image.style.width = (image.naturalWidth / 2) + 'px'; }
    if (image.complete) halve(); else image.addEventListener('load', halve);
});
)js";

}  // namespace qd

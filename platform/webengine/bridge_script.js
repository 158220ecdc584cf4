// Runs in every document of the embedded browser. It tells the program of
// every change to the form "frm", of clicks on hooked elements and of the first
// paint, through the web channel object "qd_bridge".
(function () {
    if (window.__qd) return;
    var qd = window.__qd = { bridge: null, pending: [], hooked: {} };

    qd.formState = function () {
        var form = document.forms['frm'];
        var controls = [];
        if (form) {
            for (var i = 0; i < form.elements.length; i++) {
                var e = form.elements[i];
                controls.push({
                    name: e.name || '',
                    type: (e.type || '').toLowerCase(),
                    value: e.value == null ? '' : String(e.value),
                    checked: !!e.checked
                });
            }
        }
        return JSON.stringify(controls);
    };

    function send(method, argument) {
        if (qd.bridge) qd.bridge[method](argument);
        else qd.pending.push([method, argument]);
    }

    qd.signal = function (name) { send('pageSignal', String(name)); };

    function reportForm() { send('formChanged', qd.formState()); }
    document.addEventListener('change', reportForm, true);
    document.addEventListener('input', reportForm, true);
    document.addEventListener('click', function (event) {
        for (var node = event.target; node && node !== document; node = node.parentNode) {
            if (node.id && qd.hooked[node.id]) {
                send('elementClicked', node.id);
                return;
            }
        }
    }, true);

    // A mouse move on the page's left edge, sent by the program behind the
    // user's input, comes back once everything before it has been handled.
    document.addEventListener('mousemove', function (event) {
        if (event.clientX === 0) send('inputFlushed', String(event.clientY));
    }, true);

    // The task after the first animation frame runs once that frame is drawn.
    requestAnimationFrame(function () {
        setTimeout(function () { send('pagePainted', ''); }, 0);
    });

    new QWebChannel(qt.webChannelTransport, function (channel) {
        qd.bridge = channel.objects.qd_bridge;
        var waiting = qd.pending;
        qd.pending = [];
        waiting.forEach(function (call) { qd.bridge[call[0]](call[1]); });
    });
})();

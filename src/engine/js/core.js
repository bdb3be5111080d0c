// Engine runtime: runs in the ApplicationWorld of the editing view (page scripts are off).
// The files of this folder are concatenated into one function scope, in the order the C++
// side lists them; this one comes first, after the host's kBootstrap ({ gen, options }, new for
// every load). The host calls __pelionEngine.call(request) and gets the result back; state goes
// to the host over the web channel whenever it may have changed, the first time as soon as the
// page is editable.

const kSelNone = 0, kSelText = 1, kSelControl = 2;

const engine = {
    host: null,                 // the CEngineBridge over the web channel
    gen: kBootstrap.gen,        // load generation; pushes carry it
    options: kBootstrap.options || {},
    ready: false,               // DOMContentLoaded seen, editing set up
    initialised: false,
    seq: 0,
    pushQueued: false,
    keys: 0,                    // key presses received since the load (diagnostics)
};

// Time spent in the runtime's own handlers (for the benchmark: the engine's cost per keystroke
// beyond Chromium's).
const perf = { ms: 0, calls: 0 };
function timed(fn) {
    return function (...args) {
        const start = performance.now();
        try {
            return fn.apply(this, args);
        } finally {
            perf.ms += performance.now() - start;
            perf.calls++;
        }
    };
}

const pushChannel = new MessageChannel();
pushChannel.port1.onmessage = timed(() => {
    engine.pushQueued = false;
    pushState();
});

function schedulePush() {
    if (engine.pushQueued || !engine.initialised)
        return;
    engine.pushQueued = true;
    pushChannel.port2.postMessage(0);
}

function pushState() {
    if (!engine.host || !engine.initialised)
        return;
    engine.host.pushState(currentState());
}

function currentState() {
    journal.flush();
    const state = commandState();
    state.gen = engine.gen;
    state.seq = ++engine.seq;
    state.title = document.title;
    state.images = pageModel.imageNames();
    state.body = pageModel.bodyAttributes();
    state.modified = journal.isModified();
    state.charset = document.characterSet;
    state.ready = engine.ready;
    extraState(state);
    return state;
}

// Later files add their own fields (tables, positioning, display aids).
const stateExtenders = [];
function extraState(state) {
    for (const extend of stateExtenders)
        extend(state);
}

function notifyHost(what, data) {
    if (engine.host)
        engine.host.notify(what, data || {});
}

// Entry point. Every request is a plain object { op, ... }; the answer is { ok, result, state }.
const operations = {};

function call(request) {
    let ok = false, result = null;
    try {
        const op = operations[request.op];
        if (!op)
            throw new Error('unknown operation ' + request.op);
        const answer = op(request);
        if (answer && typeof answer === 'object' && 'ok' in answer) {
            ok = !!answer.ok;
            result = answer.result === undefined ? null : answer.result;
        } else {
            ok = answer !== false;
            result = null;
        }
    } catch (e) {
        console.error('engine operation ' + request.op + ' failed: ' + e + '\n' + (e.stack || ''));
        ok = false;
    }
    return { ok: ok, result: result, state: engine.initialised ? currentState() : null };
}

// The host's fallback when the first push has not arrived by the time the load finished.
operations.init = () => {
    if (!engine.ready)
        setUpEditing();
    return { ok: engine.ready };
};

operations.sync = () => true;

operations.keys = () => ({ ok: true, result: engine.keys });

operations.stats = (request) => {
    const result = { ms: perf.ms, calls: perf.calls };
    if (request.reset) {
        perf.ms = 0;
        perf.calls = 0;
    }
    return { ok: true, result: result };
};

const readyHooks = []; // (options) => ..., run once the document is parsed

function setUpEditing() {
    if (engine.ready || !document.documentElement)
        return;
    for (const hook of readyHooks)
        hook(engine.options);
    journal.start();
    document.designMode = 'on';
    engine.ready = true;
    engine.initialised = true;
    placeCaretAtStart();
    schedulePush();
}

// Editable from the start: switching a parsed document to design mode restyles all of it (seconds
// on a large page), while a document that is editable before the parser runs pays nothing. Input
// is held back until the history records it (DOMContentLoaded), so no edit can go unrecorded.
document.designMode = 'on';
document.addEventListener('keydown', () => {
    engine.keys++;
}, true);
document.addEventListener('beforeinput', (e) => {
    if (!engine.ready)
        e.preventDefault();
}, true);

function placeCaretAtStart() {
    const body = document.body;
    const selection = document.getSelection();
    if (!body || !selection || selection.rangeCount)
        return;
    selection.collapse(body, 0);
}

document.addEventListener('DOMContentLoaded', setUpEditing, true);

if (typeof qt !== 'undefined' && qt.webChannelTransport) {
    new QWebChannel(qt.webChannelTransport, (channel) => {
        engine.host = channel.objects.engineHost;
        schedulePush();
    });
}

window.__pelionEngine = { call: call };

// Small helpers used throughout.
function isElement(node) {
    return node && node.nodeType === Node.ELEMENT_NODE;
}

function elementOf(node) {
    return isElement(node) ? node : node ? node.parentElement : null;
}

function inBody(node) {
    const body = document.body;
    return !!body && !!node && (node === body || body.contains(node));
}

function closestElement(node, predicate, stop) {
    for (let el = elementOf(node); el && el !== stop; el = el.parentElement) {
        if (predicate(el))
            return el;
    }
    return null;
}

function selectionRange() {
    const selection = document.getSelection();
    return selection && selection.rangeCount ? selection.getRangeAt(0) : null;
}

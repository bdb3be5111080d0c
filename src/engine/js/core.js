// Engine runtime: runs in the ApplicationWorld of the editing view (page scripts are off).
// The files of this folder are concatenated into one function scope, in the order the C++
// side lists them; this one comes first, after the host's kBootstrap ({ gen, token, options },
// new for every load) and kLateSource (see loadLate). The host calls
// __pelionEngine.call(request) and gets the result back; state goes to the host whenever it may
// have changed, the first time as soon as the page is editable, as console lines beginning with
// the token (CEngineBridge reads them).

const kSelNone = 0, kSelText = 1, kSelControl = 2;

// One message to the host's CEngineBridge: { push: state } or { notify: what, data }.
const consoleLog = console.log.bind(console);
function postToHost(message) {
    consoleLog(kBootstrap.token + JSON.stringify(message));
}

const engine = {
    gen: kBootstrap.gen,        // load generation; pushes carry it
    options: kBootstrap.options || {},
    ready: false,               // DOMContentLoaded seen, editing set up
    initialised: false,
    seq: 0,
    pushQueued: false,
    pendingCaret: null,         // where the caret goes once the page is laid out
    inputs: 0,                  // key and button presses and releases since the load
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

// Pushes are queued as messages (sooner than a timer); the channel is made on first use.
let pushChannel = null;
function schedulePush() {
    if (engine.pushQueued || !engine.initialised)
        return;
    if (!pushChannel) {
        pushChannel = new MessageChannel();
        pushChannel.port1.onmessage = timed(() => {
            engine.pushQueued = false;
            pushState();
        });
    }
    engine.pushQueued = true;
    pushChannel.port2.postMessage(0);
}

function pushState() {
    if (engine.initialised)
        postToHost({ push: currentState() });
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
    state.url = document.URL;
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
    postToHost({ notify: what, data: data || {} });
}

// Entry point. Every request is a plain object { op, ... }; the answer is { ok, result, state }.
const operations = {};

function call(request) {
    loadLate();
    placePendingCaret();
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

operations.inputs = () => ({ ok: true, result: engine.inputs });

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
    deferCaretToStart();
    // Straight away rather than queued: the host then hears of it before the load event.
    pushState();
    setTimeout(loadLate, 0);
}

// Editable from the start: switching a parsed document to design mode restyles all of it (seconds
// on a large page), while a document that is editable before the parser runs pays nothing. Input
// is held back until the history records it (DOMContentLoaded), so no edit can go unrecorded.
document.designMode = 'on';
document.addEventListener('keydown', () => {
    engine.inputs++;
    placePendingCaret();
}, true);
// A click places the caret itself.
document.addEventListener('mousedown', () => {
    engine.inputs++;
    if (engine.pendingCaret) {
        engine.pendingCaret = null;
        schedulePush();
    }
}, true);
document.addEventListener('mouseup', () => {
    engine.inputs++;
}, true);
document.addEventListener('beforeinput', (e) => {
    if (!engine.ready)
        e.preventDefault();
}, true);

// Placing the selection lays the page out; the first state is told as if the caret were at the
// start of the text already, and the caret goes there right after the load event (or at once
// when a call or a key needs it sooner).
function deferCaretToStart() {
    if (!document.body)
        return;
    const r = document.createRange();
    const [node, offset] = startOfText();
    r.setStart(node, offset);
    engine.pendingCaret = r;
    if (document.readyState === 'complete')
        setTimeout(placePendingCaret, 0);
    else
        window.addEventListener('load', () => setTimeout(placePendingCaret, 0), { once: true });
}

// The pending range is live, so it still names the same place if the page changed meanwhile.
function placePendingCaret() {
    const r = engine.pendingCaret;
    if (!r)
        return;
    engine.pendingCaret = null;
    const selection = document.getSelection();
    if (selection && !selection.rangeCount && r.startContainer.isConnected)
        selection.collapse(r.startContainer, r.startOffset);
    schedulePush();
}

// Where typing at the start of the page goes: the first character of the body's first text that
// shows (a caret at the body itself would report the body's format while the text typed lands
// in the heading or paragraph that starts the page), else the start of the body.
const kNoTextParents = 'script, style, noscript, template, title, textarea, select, object';
function startOfText() {
    const body = document.body;
    const walker = document.createTreeWalker(body, NodeFilter.SHOW_TEXT);
    for (let n = walker.nextNode(); n; n = walker.nextNode()) {
        const at = n.data.search(/\S/);
        if (at >= 0 && !n.parentElement.closest(kNoTextParents))
            return [n, at];
    }
    return [body, 0];
}

document.addEventListener('DOMContentLoaded', setUpEditing, true);

// What commands and operations do (the part of each file after its marker line) is compiled only
// once the first state is out, so that it does not delay it; a call compiles it first if that
// has not happened yet. The host passes it as the text kLateSource.
let lateLoaded = false;
function loadLate() {
    if (lateLoaded)
        return;
    lateLoaded = true;
    eval(kLateSource);
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
    if (engine.pendingCaret)
        return engine.pendingCaret;
    const selection = document.getSelection();
    return selection && selection.rangeCount ? selection.getRangeAt(0) : null;
}

// Selection model and the formatting and editing commands: their flags (2 enabled, 4 latched,
// 8 indeterminate; 1 supported) and their execution.

const F_SUPPORTED = 1, F_ENABLED = 2, F_LATCHED = 4, F_INDETERMINATE = 8;

// Elements that a click selects as an object ("Control" selection) instead of placing a caret.
const kControlTags = new Set(['IMG', 'OBJECT', 'EMBED', 'APPLET', 'INPUT', 'SELECT', 'TEXTAREA',
                              'BUTTON', 'HR', 'IFRAME', 'VIDEO', 'AUDIO']);
const controlPredicates = [(el) => kControlTags.has(el.tagName)];

const control = {
    element: null,
};

function controlTarget(node, event) {
    for (let el = elementOf(node); el && el !== document.body; el = el.parentElement) {
        for (const predicate of controlPredicates) {
            if (predicate(el, event))
                return el;
        }
    }
    return null;
}

function selectControl(el) {
    const selection = document.getSelection();
    const range = document.createRange();
    range.selectNode(el);
    control.element = el;
    selection.removeAllRanges();
    selection.addRange(range);
    controlChanged();
    schedulePush();
}

function controlStillSelected() {
    const el = control.element;
    if (!el || !el.isConnected || !el.parentNode)
        return false;
    const r = selectionRange();
    if (!r)
        return false;
    const parent = el.parentNode;
    const index = Array.prototype.indexOf.call(parent.childNodes, el);
    return r.startContainer === parent && r.startOffset === index && r.endContainer === parent &&
           r.endOffset === index + 1;
}

function selectionChanged() {
    if (control.element && !controlStillSelected()) {
        control.element = null;
        controlChanged();
    }
}

const controlListeners = [];
function controlChanged() {
    for (const listener of controlListeners)
        listener(control.element);
}

document.addEventListener('mousedown', (e) => {
    if (e.button !== 0)
        return;
    const el = controlTarget(e.target, e);
    journal.boundary();
    if (el && inBody(el)) {
        e.preventDefault();
        selectControl(el);
        for (const hook of controlMouseDownHooks)
            hook(el, e);
    }
}, true);
const controlMouseDownHooks = [];

function selectionType() {
    if (control.element && controlStillSelected())
        return kSelControl;
    const r = selectionRange();
    if (!r || !inBody(r.startContainer) || !inBody(r.endContainer))
        return kSelNone;
    return kSelText;
}

// Text nodes with visible text that the range touches, at most limit of them.
function textNodesIn(range, limit) {
    const nodes = [];
    if (range.collapsed)
        return nodes;
    const root = range.commonAncestorContainer;
    if (root.nodeType === Node.TEXT_NODE)
        return /\S/.test(root.data) ? [root] : [];
    const walker = document.createTreeWalker(root, NodeFilter.SHOW_TEXT);
    for (let n = walker.nextNode(); n && nodes.length < limit; n = walker.nextNode()) {
        if (!range.intersectsNode(n) || !/\S/.test(n.data))
            continue;
        if (n === range.endContainer && range.endOffset === 0)
            continue;
        if (n === range.startContainer && range.startOffset >= n.data.length)
            continue;
        nodes.push(n);
    }
    return nodes;
}

const kSampleLimit = 4000;

function isBold(el, style = getComputedStyle) {
    const weight = style(el).fontWeight;
    return weight === 'bold' || parseInt(weight, 10) >= 600;
}

function isItalic(el, style = getComputedStyle) {
    const fontStyle = style(el).fontStyle;
    return fontStyle === 'italic' || fontStyle.startsWith('oblique');
}

function isUnderlined(el) {
    for (let e = el; e && e !== document.documentElement; e = e.parentElement) {
        if (getComputedStyle(e).textDecorationLine.includes('underline'))
            return true;
    }
    return false;
}

// The computed styles of one state query, read once per element (a query reads several
// properties of the same few thousand elements), and underlines, which come from ancestors too.
function styleMemo() {
    const styles = new Map();
    return (el) => {
        let style = styles.get(el);
        if (!style) {
            style = getComputedStyle(el);
            styles.set(el, style);
        }
        return style;
    };
}

function underlineMemo(style) {
    const underlined = new Map();
    const test = (el) => {
        if (!el || el === document.documentElement)
            return false;
        let on = underlined.get(el);
        if (on === undefined) {
            on = style(el).textDecorationLine.includes('underline') || test(el.parentElement);
            underlined.set(el, on);
        }
        return on;
    };
    return test;
}

// Latched/indeterminate of a character property over the selection. Computed styles, not
// queryCommandState: each of Chromium's queries walks the document (about a millisecond each on a
// 2 MB page), while a computed style is cheap once the style is up to date. With a caret, the
// typing style that a command set just now (Ctrl+B with nothing selected) counts.
function characterFlags(range, nodes, test, command) {
    if (range.collapsed || !nodes.length) {
        const pending = typingStyleAt(range, command);
        const on = pending !== undefined ? pending : test(elementOf(range.startContainer));
        return on ? F_LATCHED : 0;
    }
    let on = 0;
    for (const n of nodes) {
        if (test(n.parentElement))
            ++on;
    }
    if (on === nodes.length)
        return F_LATCHED;
    return on ? F_INDETERMINATE : 0;
}

// Chromium keeps a typing style for a caret after a character command; it is read once, right
// after the command, and holds while the caret stays where it was.
const typingStyle = { node: null, offset: -1, values: {} };

function typingStyleAt(range, command) {
    if (typingStyle.node !== range.startContainer || typingStyle.offset !== range.startOffset)
        return undefined;
    return typingStyle.values[command];
}

function uniformValue(nodes, read) {
    let value;
    for (const n of nodes) {
        const v = read(n.parentElement);
        if (value === undefined)
            value = v;
        else if (v !== value)
            return { mixed: true, value: '' };
    }
    return { mixed: false, value: value };
}

function firstFamily(family) {
    const first = family.split(',')[0].trim();
    return first.replace(/^["']|["']$/g, '');
}

function colourToInt(css) {
    const m = /rgba?\((\d+),\s*(\d+),\s*(\d+)/.exec(css || '');
    if (!m)
        return -1;
    return (+m[1]) | (+m[2] << 8) | (+m[3] << 16); // red in the low byte
}

// Block formats: the names the host shows and the tags behind them.
const kBlockFormats = [
    ['Normal', 'p'], ['Heading 1', 'h1'], ['Heading 2', 'h2'], ['Heading 3', 'h3'],
    ['Heading 4', 'h4'], ['Heading 5', 'h5'], ['Heading 6', 'h6'], ['Formatted', 'pre'],
    ['Address', 'address'],
];

function blockFormatOf(node) {
    const block = closestElement(node, (el) => {
        const tag = el.tagName;
        return /^(H[1-6]|PRE|ADDRESS|P|DIV|LI|TD|TH|BLOCKQUOTE|BODY)$/.test(tag);
    });
    if (!block)
        return 'Normal';
    const tag = block.tagName.toLowerCase();
    for (const [name, t] of kBlockFormats) {
        if (t === tag)
            return name;
    }
    return 'Normal';
}

function blockFormatState(range, nodes) {
    const first = blockFormatOf(range.startContainer);
    for (const n of nodes) {
        if (blockFormatOf(n) !== first)
            return { mixed: true, value: '' };
    }
    return { mixed: false, value: first };
}

function canOutdent(range) {
    return !!closestElement(range.startContainer,
                            (el) => el.tagName === 'LI' || el.tagName === 'BLOCKQUOTE',
                            document.body);
}

function legacyFontSize(el, style = getComputedStyle) {
    const px = parseFloat(style(el).fontSize);
    const steps = [10, 13, 16, 18, 24, 32, 48]; // sizes 1..7 at the default medium
    let best = 1;
    for (let i = 0; i < steps.length; ++i) {
        if (px >= (i ? (steps[i - 1] + steps[i]) / 2 : 0))
            best = i + 1;
    }
    return best;
}

// The state the host caches: flags per command id and the values of 27, 36, 37, 38.
const flagProviders = []; // later files add flags for their commands: (flags, sel, range) => ...

function commandState() {
    const flags = {};
    const sel = engine.ready ? selectionType() : kSelNone;
    const range = selectionRange();
    const state = { sel: sel, flags: flags, fontName: '', fontSize: 0, blockFormat: '',
                    color: -1, canUndo: journal.canUndo(), canRedo: journal.canRedo() };
    const set = (id, value) => { flags[id] = F_SUPPORTED | value; };
    const text = sel === kSelText;
    const nonEmpty = !!range && !range.collapsed;

    set(58, state.canUndo ? F_ENABLED : 0);
    set(52, state.canRedo ? F_ENABLED : 0);
    set(54, engine.ready && document.body ? F_ENABLED : 0);
    set(39, F_ENABLED);
    set(34, engine.ready && document.body ? F_ENABLED : 0);
    set(30, (sel === kSelControl || (text && nonEmpty)) ? F_ENABLED : 0);
    set(31, (sel === kSelControl || (text && nonEmpty)) ? F_ENABLED : 0);
    set(32, (sel === kSelControl || (text && nonEmpty)) ? F_ENABLED : 0);
    set(50, sel !== kSelNone ? F_ENABLED : 0); // the host adds the clipboard's say

    if (text) {
        const nodes = textNodesIn(range, kSampleLimit);
        const caretElement = elementOf(range.startContainer);
        const style = styleMemo();
        set(28, F_ENABLED | characterFlags(range, nodes, (el) => isBold(el, style), 'bold'));
        set(43, F_ENABLED | characterFlags(range, nodes, (el) => isItalic(el, style), 'italic'));
        set(57, F_ENABLED | characterFlags(range, nodes, underlineMemo(style), 'underline'));

        let font;
        if (nodes.length)
            font = uniformValue(nodes, (el) => firstFamily(style(el).fontFamily));
        else
            font = { mixed: false, value: firstFamily(getComputedStyle(caretElement).fontFamily) };
        set(36, F_ENABLED | (font.mixed ? F_INDETERMINATE : 0));
        state.fontName = font.value;

        let size;
        if (nodes.length)
            size = uniformValue(nodes, (el) => legacyFontSize(el, style));
        else
            size = { mixed: false, value: legacyFontSize(caretElement) };
        set(37, F_ENABLED | (size.mixed ? F_INDETERMINATE : 0));
        state.fontSize = size.mixed ? 0 : size.value;

        let colour;
        if (nodes.length)
            colour = uniformValue(nodes, (el) => colourToInt(style(el).color));
        else
            colour = { mixed: false, value: colourToInt(getComputedStyle(caretElement).color) };
        set(38, F_ENABLED | (colour.mixed ? F_INDETERMINATE : 0));
        state.color = colour.mixed ? -1 : colour.value;

        const block = blockFormatState(range, nodes);
        set(27, F_ENABLED | (block.mixed ? F_INDETERMINATE : 0));
        state.blockFormat = block.value;

        const list = closestElement(range.startContainer,
                                    (el) => el.tagName === 'OL' || el.tagName === 'UL',
                                    document.body);
        set(47, F_ENABLED | (list && list.tagName === 'OL' ? F_LATCHED : 0));
        set(60, F_ENABLED | (list && list.tagName === 'UL' ? F_LATCHED : 0));
        set(42, F_ENABLED);
        set(48, canOutdent(range) ? F_ENABLED : 0);
    } else {
        for (const id of [27, 28, 36, 37, 38, 42, 43, 47, 48, 57, 60])
            set(id, 0);
    }
    const alignable = text || sel === kSelControl;
    const align = alignable ? alignmentAt(range) : '';
    set(45, alignable ? F_ENABLED | (align === 'left' ? F_LATCHED : 0) : 0);
    set(44, alignable ? F_ENABLED | (align === 'center' ? F_LATCHED : 0) : 0);
    set(46, alignable ? F_ENABLED | (align === 'right' ? F_LATCHED : 0) : 0);

    for (const provide of flagProviders)
        provide(set, sel, range, state);
    return state;
}

// The text alignment of the block around the selection start, as left, center or right.
function alignmentAt(range) {
    if (!range)
        return '';
    const block = closestElement(range.startContainer, (el) => {
        const display = getComputedStyle(el).display;
        return display !== 'inline' && display !== 'inline-block' && display !== 'contents';
    });
    if (!block)
        return '';
    const align = getComputedStyle(block).textAlign;
    if (align === 'center' || align === '-webkit-center')
        return 'center';
    if (align === 'right' || align === '-webkit-right' ||
        (align === 'end' && getComputedStyle(block).direction === 'ltr') ||
        (align === 'start' && getComputedStyle(block).direction === 'rtl'))
        return 'right';
    if (align === 'justify')
        return '';
    return 'left';
}

const commandHandlers = {}; // id -> (input, request) => bool; later files add theirs

// ---- compiled once the page is editable ----

function noteTypingStyle(command) {
    const r = selectionRange();
    if (!r || !r.collapsed)
        return;
    if (typingStyle.node !== r.startContainer || typingStyle.offset !== r.startOffset) {
        typingStyle.node = r.startContainer;
        typingStyle.offset = r.startOffset;
        typingStyle.values = {};
    }
    typingStyle.values[command] = document.queryCommandState(command);
}

function intToCss(colour) {
    const r = colour & 0xff, g = (colour >> 8) & 0xff, b = (colour >> 16) & 0xff;
    return '#' + [r, g, b].map((v) => v.toString(16).padStart(2, '0')).join('');
}

// Execution of the commands that map onto Chromium's editing commands.
const kNative = {
    28: 'bold', 43: 'italic', 57: 'underline', 42: 'indent', 48: 'outdent',
    44: 'justifyCenter', 45: 'justifyLeft', 46: 'justifyRight',
    47: 'insertOrderedList', 60: 'insertUnorderedList',
};

// Chromium's own commands take seconds, some of them minutes, on a selection of a large part
// of a page, with the renderer busy all the while and no way to tell how far they are: the host
// is told before and after, and shows a wait cursor and what runs meanwhile.
const kNativeBusyElements = 2000; // elements under the selection from which that is said

function whileBusy(run) {
    const range = selectionRange();
    let busy = false;
    if (range && !range.collapsed) {
        const root = range.commonAncestorContainer;
        const el = root.nodeType === Node.ELEMENT_NODE ? root : root.parentElement;
        busy = !!el && el.getElementsByTagName('*').length >= kNativeBusyElements;
    }
    if (busy)
        notifyHost('busy', { text: 'Formatting...' });
    try {
        return run();
    } finally {
        if (busy)
            notifyHost('busy', { done: true, text: 'Done' });
    }
}

function editCommand(name, value) {
    return whileBusy(() => journal.operation(() => document.execCommand(name, false, value)));
}

for (const id of Object.keys(kNative)) {
    commandHandlers[id] = () => {
        if (control.element && !/^justify/.test(kNative[id]))
            return false;
        if (id === '47' || id === '60')
            return whileBusy(() => journal.operation(() => toggleList(kNative[id])));
        const done = editCommand(kNative[id]);
        if (id === '28' || id === '43' || id === '57')
            noteTypingStyle(kNative[id]);
        return done;
    };
}

// Chromium makes a list inside the paragraph it came from (<p><ol>..</ol></p>), which no
// parser reads back as written: lift such lists out of their paragraph.
function toggleList(command) {
    const done = document.execCommand(command, false, null);
    const range = selectionRange();
    const list = range && closestElement(range.startContainer,
                                         (el) => el.tagName === 'OL' || el.tagName === 'UL');
    if (list)
        liftOutOfParagraph(list);
    return done;
}

function liftOutOfParagraph(list) {
    const p = list.parentElement;
    if (!p || p.tagName !== 'P')
        return;
    const selection = saveSelection();
    const before = Array.prototype.slice.call(p.childNodes, 0,
                                              Array.prototype.indexOf.call(p.childNodes, list));
    const after = [];
    for (let n = list.nextSibling; n; n = n.nextSibling)
        after.push(n);
    const blank = (nodes) => nodes.every((n) => n.nodeType === Node.TEXT_NODE && !/\S/.test(n.data));
    p.parentNode.insertBefore(list, p.nextSibling);
    if (!blank(after)) {
        const tail = p.cloneNode(false);
        for (const n of after)
            tail.appendChild(n);
        list.parentNode.insertBefore(tail, list.nextSibling);
    }
    if (blank(before))
        p.remove();
    restoreSelection(selection);
}

commandHandlers[27] = (input) => {
    const entry = kBlockFormats.find(([name]) => name === String(input));
    if (!entry || selectionType() !== kSelText)
        return false;
    return editCommand('formatBlock', entry[1]);
};

commandHandlers[36] = (input) => {
    const face = String(input || '').trim();
    if (!face || selectionType() !== kSelText)
        return false;
    return editCommand('fontName', face);
};

commandHandlers[37] = (input) => {
    const size = parseInt(input, 10);
    if (!(size >= 1 && size <= 7) || selectionType() !== kSelText)
        return false;
    return editCommand('fontSize', String(size));
};

commandHandlers[38] = (input) => {
    const colour = Number(input);
    if (!Number.isInteger(colour) || selectionType() !== kSelText)
        return false;
    if (colour < 0)
        return journal.operation(removeForeColour);
    return editCommand('foreColor', intToCss(colour & 0xffffff));
};

// "Automatic": drop the explicit colour of the selected text (font color attributes and
// color styles on the elements around and inside the selection).
function removeForeColour() {
    const range = selectionRange();
    if (!range)
        return false;
    const elements = new Set();
    for (const n of textNodesIn(range, Infinity)) {
        for (let el = n.parentElement; el && el !== document.body; el = el.parentElement)
            elements.add(el);
    }
    if (range.collapsed) {
        for (let el = elementOf(range.startContainer); el && el !== document.body;
             el = el.parentElement)
            elements.add(el);
    }
    for (const el of elements) {
        if (el.tagName === 'FONT' && el.hasAttribute('color'))
            el.removeAttribute('color');
        if (el.style && el.style.color) {
            el.style.removeProperty('color');
            if (!el.getAttribute('style'))
                el.removeAttribute('style');
        }
        if (el.tagName === 'FONT' && !el.attributes.length)
            unwrap(el);
    }
    return true;
}

commandHandlers[32] = () => {
    if (control.element) {
        const el = control.element;
        return journal.operation(() => {
            const parent = el.parentNode;
            const next = el.nextSibling;
            el.remove();
            control.element = null;
            controlChanged();
            const selection = document.getSelection();
            selection.collapse(parent, next ? Array.prototype.indexOf.call(parent.childNodes, next)
                                            : parent.childNodes.length);
            return true;
        });
    }
    const range = selectionRange();
    if (!range || range.collapsed || selectionType() !== kSelText)
        return false;
    return editCommand('delete');
};

commandHandlers[54] = () => {
    journal.boundary();
    if (!document.body)
        return false;
    control.element = null;
    const range = document.createRange();
    range.selectNodeContents(document.body);
    const selection = document.getSelection();
    selection.removeAllRanges();
    selection.addRange(range);
    return true;
};

commandHandlers[58] = () => journal.undo();
commandHandlers[52] = () => journal.redo();

operations.exec = (request) => {
    const handler = commandHandlers[request.id];
    if (!handler)
        return false;
    const result = handler(request.input, request);
    if (result && typeof result === 'object')
        return result;
    return !!result;
};

// Find: window.find selects the match synchronously (in an editable document it leaves the
// match selected, which is what the host's find relies on).
function findText(options) {
    const text = String(options.text || '');
    if (!text)
        return false;
    journal.boundary();
    if (control.element) {
        const r = selectionRange();
        control.element = null;
        controlChanged();
        if (r)
            r.collapse(!options.backwards);
    }
    return window.find(text, !!options.matchCase, !!options.backwards, options.wrap !== false,
                       false, false, false);
}

commandHandlers[34] = (input) => {
    const options = typeof input === 'string' ? { text: input } : (input || {});
    const found = findText(options);
    notifyHost('find', { found: found });
    return { ok: true, result: found };
};

function unwrap(el) {
    const parent = el.parentNode;
    if (!parent)
        return;
    while (el.firstChild)
        parent.insertBefore(el.firstChild, el);
    el.remove();
}

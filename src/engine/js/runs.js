// Character formatting of large selections by the runtime itself. Chromium's bold, italic,
// underline and font commands lay the page out again for every run of text they wrap, so on a
// whole page of a few thousand paragraphs they take minutes. The pass here does the same job in
// one walk over the selection and writes the markup Chromium writes: inside the selection, what
// sets another value goes first (all of it when a style goes off); then each run of inline
// siblings whose text lacks the value loses what sets the style inside it (<b>/<strong>,
// <i>/<em>, <u>, the <font> attribute, the inline style) and is wrapped in one element (<b>, <i>,
// <u>, <font face|size|color>); taking bold or italic off wraps the runs that keep it through
// their block (a heading, a table header) in a span that sets it back to normal. Selections below
// kOwnPassThreshold text nodes, and those that begin or end inside an element the pass would have
// to split, keep Chromium's command.

const kOwnPassThreshold = 300;
const kBusyThreshold = 2000; // text nodes from which a pass shows a wait cursor and progress
const ownPass = { force: null, passes: 0 }; // force true / false: every selection goes that way

// Keyboard shortcuts (Ctrl+B, Ctrl+I, Ctrl+U) arrive as beforeinput and go the command's way,
// so that they take the same path as the format bar and land in the history as one step.
const kFormatInputs = { formatBold: 28, formatItalic: 43, formatUnderline: 57 };
window.addEventListener('beforeinput', (e) => {
    const id = kFormatInputs[e.inputType];
    if (id === undefined || !engine.ready)
        return;
    e.preventDefault();
    loadLate();
    placePendingCaret();
    const handler = commandHandlers[id];
    if (handler)
        handler();
    schedulePush();
}, true);

operations.ownPass = (request) => {
    ownPass.force = request.force === undefined ? null : request.force;
    return { ok: true, result: ownPass.passes };
};

// ---- compiled once the page is editable ----

const kCharacterStyles = {
    28: {
        command: 'bold', tag: 'B', equivalents: ['B', 'STRONG'], property: 'font-weight',
        has: isBold, off: 'font-weight: normal;', on: /^(bold|bolder|[6-9]00)$/,
    },
    43: {
        command: 'italic', tag: 'I', equivalents: ['I', 'EM'], property: 'font-style',
        has: isItalic, off: 'font-style: normal;', on: /^(italic|oblique)/,
    },
    57: {
        command: 'underline', tag: 'U', equivalents: ['U'], property: 'text-decoration',
        has: isUnderlined, off: null, byStart: true, on: /underline/,
    },
};

for (const id of Object.keys(kCharacterStyles)) {
    commandHandlers[id] = () => {
        if (control.element)
            return false;
        const spec = kCharacterStyles[id];
        const range = selectionRange();
        if (range && !range.collapsed && selectionType() === kSelText && takesOwnPass(range, spec))
            return journal.operation(() => ownCharacterPass(spec, range));
        const done = journal.operation(() => {
            const ok = document.execCommand(spec.command, false, null);
            dropEmptyStyles();
            return ok;
        });
        noteTypingStyle(spec.command);
        return done;
    };
}

// Chromium leaves an empty style attribute on the elements inside one whose style it took
// away (<i style="">); the own pass writes none, and neither path keeps such attributes.
function dropEmptyStyles() {
    journal.flush();
    const open = journal.open;
    if (!open)
        return;
    for (const r of open.records) {
        if (r.type === 'attributes' && r.attributeName === 'style' && r.oldValue === null &&
            r.target.getAttribute('style') === '')
            r.target.removeAttribute('style');
    }
}

function takesOwnPass(range, spec) {
    if (ownPass.force === false)
        return false;
    if (ownPass.force !== true && textNodesIn(range, kOwnPassThreshold).length < kOwnPassThreshold)
        return false;
    // A selection that starts or ends inside an element carrying the style would need that
    // element split around it; Chromium's command does that.
    for (const node of [range.startContainer, range.endContainer]) {
        for (let el = elementOf(node); el && el !== document.body; el = el.parentElement) {
            if ((carriesStyle(el, spec) && !contains(range, el)) || el.isContentEditable === false)
                return false;
        }
    }
    return inBody(range.commonAncestorContainer);
}

function contains(range, el) {
    return range.comparePoint(el, 0) >= 0 && range.comparePoint(el, el.childNodes.length) <= 0;
}

function carriesStyle(el, spec) {
    if (spec.attribute ? el.tagName === 'FONT' && el.hasAttribute(spec.attribute)
                       : spec.equivalents.includes(el.tagName))
        return true;
    return !!el.style && el.style.getPropertyValue(spec.property) !== '';
}

// Font face (36), size (37) and colour (38) go into <font> elements; the command always sets
// the value, on the runs whose text shows another one.

function fontSpec(id, input) {
    if (id === 36) {
        const face = String(input || '').trim();
        return face && {
            command: 'fontName', value: face, attribute: 'face', property: 'font-family',
            has: (el) => getComputedStyle(el).fontFamily.replace(/["']/g, '') === face,
        };
    }
    if (id === 37) {
        const size = parseInt(input, 10);
        return size >= 1 && size <= 7 && {
            command: 'fontSize', value: String(size), attribute: 'size', property: 'font-size',
            has: () => false, // Chromium does not read a size in pixels as the size it sets
        };
    }
    const colour = Number(input);
    if (!Number.isInteger(colour) || colour < 0)
        return null;
    const css = intToCss(colour & 0xffffff);
    return {
        command: 'foreColor', value: css, attribute: 'color', property: 'color',
        has: (el) => colourToInt(getComputedStyle(el).color) === (colour & 0xffffff),
    };
}

for (const id of [36, 37, 38]) {
    const native = commandHandlers[id];
    commandHandlers[id] = (input, request) => {
        const spec = fontSpec(id, input);
        const range = selectionRange();
        if (spec && !control.element && range && !range.collapsed &&
            selectionType() === kSelText && takesOwnPass(range, spec))
            return journal.operation(() => ownCharacterPass(spec, range));
        return native(input, request);
    };
}

function ownCharacterPass(spec, range) {
    const progress = new Progress();
    try {
        return onCopies(range, (copy, touched, wholePage) =>
            characterPass(spec, copy, progress, touched, wholePage));
    } finally {
        progress.end();
    }
}

// A pass over a large selection works on copies, so that the history holds one structural step
// instead of a record of every node the pass touched: copies of the children of the element
// that holds the selection go in before them, the pass changes the copies unrecorded, and the
// children are then replaced by what the pass made of the copies, in one change (one change
// by one node would cost time in proportion to the number of children each). The history
// records that replacement, so undo puts the very originals back (the older steps of the
// history refer to those nodes). pass(range, touched, wholePage) gets the selection within the
// copies and the sets of nodes whose children and whose attributes it changes, which the
// listeners of the history then hear of.
function onCopies(range, pass) {
    let container = range.commonAncestorContainer;
    if (container.nodeType !== Node.ELEMENT_NODE)
        container = container.parentNode;
    const touched = { children: new Set(), attributes: new Set() };
    const wholePage = isWholePage(range);
    if (!container.firstChild)
        return pass(range, touched, wholePage);
    const start = pathFrom(container, range.startContainer), startOffset = range.startOffset;
    const end = pathFrom(container, range.endContainer), endOffset = range.endOffset;
    const originals = Array.from(container.childNodes);
    const carried = [];
    const copies = originals.map((n) => {
        const copy = n.cloneNode(true);
        carryEngineState(n, copy, carried);
        return copy;
    });
    // Between two comments the pass cannot merge what it wraps with the originals. In before
    // them, so that a selection of all of them keeps its place while the pass runs.
    const before = document.createComment(''), after = document.createComment('');
    const nodes = document.createDocumentFragment();
    nodes.append(before, ...copies, after);
    container.insertBefore(nodes, originals[0]);
    journal.flush();
    const records = journal.open.records;
    const insertion = records.length - 1;
    const point = (node, path, offset) =>
        node === container ? [container, offset + 1] : [nodeAtPath(copies[path[0]], path.slice(1)),
                                                        offset];
    const copy = document.createRange();
    copy.setStart(...point(range.startContainer, start, startOffset));
    copy.setEnd(...point(range.endContainer, end, endOffset));
    let result;
    journal.unobserved(() => {
        result = pass(copy, touched, wholePage);
        before.remove();
        after.remove();
        if (!result) {
            // Nothing to do after all: the copies go, and so does the step.
            for (let n = container.firstChild; n !== originals[0]; n = container.firstChild)
                n.remove();
            records.splice(insertion, 1);
            return;
        }
        const made = [];
        for (let n = container.firstChild; n !== originals[0]; n = n.nextSibling)
            made.push(n);
        const selected = selectionRange();
        const kept = selected && [selected.startContainer, selected.startOffset,
                                  selected.endContainer, selected.endOffset];
        container.replaceChildren(...made);
        records[insertion] = {
            type: 'childList', target: container, addedNodes: made, removedNodes: originals,
            previousSibling: null, nextSibling: null, attributeName: null,
            attributeNamespace: null, oldValue: null,
        };
        // The replacement took the selection out of the nodes it was in: put it back.
        const again = document.createRange();
        if (wholePage) {
            again.selectNodeContents(document.body);
        } else if (kept && kept[0].isConnected && kept[2].isConnected) {
            again.setStart(kept[0], kept[1]);
            again.setEnd(kept[2], kept[3]);
        } else {
            return;
        }
        const selection = document.getSelection();
        selection.removeAllRanges();
        selection.addRange(again);
    });
    for (const [apply, revert] of carried)
        journal.custom(apply, revert);
    const changes = [{ type: 'childList', target: container, addedNodes: [], removedNodes: [],
                       attributeName: null, oldValue: null }];
    for (const type of ['children', 'attributes']) {
        for (const node of touched[type]) {
            if (node.isConnected)
                changes.push({ type: type === 'children' ? 'childList' : 'attributes',
                               target: node, addedNodes: [], removedNodes: [],
                               attributeName: type === 'children' ? null : 'style',
                               oldValue: null });
        }
    }
    noteMutations(changes);
    return result;
}

function isWholePage(range) {
    return range.startContainer === document.body && range.startOffset === 0 &&
           range.endContainer === document.body &&
           range.endOffset === document.body.childNodes.length;
}

function pathFrom(root, node) {
    const path = [];
    for (let n = node; n !== root; n = n.parentNode)
        path.push(Array.prototype.indexOf.call(n.parentNode.childNodes, n));
    return path.reverse();
}

function nodeAtPath(root, path) {
    let n = root;
    for (const i of path)
        n = n.childNodes[i];
    return n;
}

// What the engine keeps about nodes outside the DOM (the source each element was read from and
// whether it was edited since, a positioned box's lock) goes over to the copy; what names one
// node only (the text that holds the white space read after the body) goes into carried as a
// change for the history: [apply, revert].
function carryEngineState(original, copy, carried) {
    const sets = [positioning.locked, positioning.addedWidth];
    if (sourceMap.on)
        sets.push(sourceMap.dirty, sourceMap.attributesDirty);
    const a = document.createTreeWalker(original), b = document.createTreeWalker(copy);
    for (let n = a.currentNode, m = b.currentNode; n && m; n = a.nextNode(), m = b.nextNode()) {
        if (sourceMap.on) {
            const k = sourceMap.index.get(n);
            if (k !== undefined)
                sourceMap.index.set(m, k);
        }
        for (const set of sets) {
            if (set.has(n))
                set.add(m);
        }
        const tail = sourceMap.bodyTail;
        if (tail && tail.node === n)
            carried.push([() => { tail.node = m; }, () => { tail.node = n; }]);
    }
}

// Document order within the body.
function nextSkippingChildren(node) {
    for (let n = node; n && n !== document.body; n = n.parentNode) {
        if (n.nextSibling)
            return n.nextSibling;
    }
    return null;
}

function nextNode(node) {
    return node.firstChild || nextSkippingChildren(node);
}

function previousNode(node) {
    if (node.previousSibling) {
        let n = node.previousSibling;
        while (n.lastChild)
            n = n.lastChild;
        return n;
    }
    const parent = node.parentNode;
    return parent === document.body ? null : parent;
}

// Computed styles are read once per element; the pass reads them before it changes anything
// that they depend on.
class StyleCache {
    constructor() {
        this.map = new Map();
    }

    get(el) {
        let style = this.map.get(el);
        if (!style) {
            const computed = getComputedStyle(el);
            style = { display: computed.display, whiteSpace: computed.whiteSpace };
            this.map.set(el, style);
        }
        return style;
    }
}

function isBlockElement(el, styles) {
    const display = styles.get(el).display;
    return display !== 'none' && display !== 'contents' && !display.startsWith('inline');
}

function rendered(el, styles) {
    const display = styles.get(el).display;
    return display !== 'none' && display !== 'contents';
}

// Whether a text node gets a box of its own: text that shows does (unless it is hidden); a
// whitespace-only one only where its spaces do not collapse away (in preformatted text, or
// after inline content).
function textRendered(text, styles) {
    const parent = text.parentElement;
    if (!parent || !rendered(parent, styles))
        return false;
    if (!text.data.length)
        return false;
    if (/\S/.test(text.data))
        return true;
    if (/^pre|break-spaces/.test(styles.get(parent).whiteSpace))
        return true;
    for (let prev = text.previousSibling; prev; prev = prev.previousSibling) {
        if (prev.nodeType === Node.TEXT_NODE) {
            if (!prev.data.length || (!/\S/.test(prev.data) && !textRendered(prev, styles)))
                continue;
            return true;
        }
        if (prev.nodeType !== Node.ELEMENT_NODE || !rendered(prev, styles))
            continue;
        return !isBlockElement(prev, styles) && prev.tagName !== 'BR';
    }
    return !isBlockElement(parent, styles);
}

// A leaf where the selection can begin or end: text that shows or an element without children
// that has a box (an image, a line break).
const kLeafTags = new Set([...kControlTags, 'BR', 'CANVAS', 'WBR']);
function visibleLeaf(node, styles) {
    if (node.nodeType === Node.TEXT_NODE)
        return /\S/.test(node.data) && textRendered(node, styles);
    return node.nodeType === Node.ELEMENT_NODE && kLeafTags.has(node.tagName) &&
           rendered(node, styles);
}

// The selection as first and last node, text split where the selection cuts it, moved in to
// the first and last leaf that shows (where Chromium's selection begins and ends).
function selectedSpan(range, styles) {
    let start = range.startContainer, startOffset = range.startOffset;
    let end = range.endContainer, endOffset = range.endOffset;
    let first, last;
    if (end.nodeType === Node.TEXT_NODE) {
        if (endOffset === 0)
            last = previousNode(end);
        else {
            if (endOffset < end.data.length) {
                touchChildren(end.parentNode);
                end.splitText(endOffset);
            }
            last = end;
        }
    } else if (endOffset > 0) {
        last = end.childNodes[endOffset - 1];
        while (last.lastChild)
            last = last.lastChild;
    } else {
        last = previousNode(end);
    }
    if (start.nodeType === Node.TEXT_NODE) {
        if (startOffset >= start.data.length)
            first = nextSkippingChildren(start);
        else if (startOffset > 0) {
            touchChildren(start.parentNode);
            first = start.splitText(startOffset);
            if (last === start)
                last = first;
        } else {
            first = start;
        }
    } else {
        first = start.childNodes[startOffset] || nextSkippingChildren(start);
    }
    const pastLast = last ? nextSkippingChildren(last) : null;
    while (first && first !== pastLast && !visibleLeaf(first, styles))
        first = nextNode(first);
    if (!first || first === pastLast)
        return null;
    while (last && last !== first && !visibleLeaf(last, styles))
        last = previousNode(last);
    return { first: first, last: last };
}

// Text nodes that show, in document order, from first to last.
function shownTexts(span, styles) {
    const texts = [];
    const past = nextSkippingChildren(span.last);
    for (let n = span.first; n && n !== past; n = nextNode(n)) {
        if (n.nodeType === Node.TEXT_NODE && textRendered(n, styles))
            texts.push(n);
    }
    return texts;
}

// Nodes whose children or attributes the running pass changed (see onCopies).
let passTouched = null;
function touchChildren(node) {
    if (passTouched && node)
        passTouched.children.add(node);
}

function touchAttributes(el) {
    if (passTouched)
        passTouched.attributes.add(el);
}

function characterPass(spec, range, progress, touched, wholePage) {
    passTouched = touched || null;
    try {
        return characterPassOn(spec, range, progress, wholePage);
    } finally {
        passTouched = null;
    }
}

function characterPassOn(spec, range, progress, wholePage) {
    const styles = new StyleCache();
    const span = selectedSpan(range, styles);
    if (!span)
        return false;
    ++ownPass.passes;
    const has = new Map();
    const hasStyle = (el) => {
        let v = has.get(el);
        if (v === undefined) {
            v = spec.has(el);
            has.set(el, v);
        }
        return v;
    };
    // The command takes the style off when all the selected text has it (underline: when the
    // text where the selection starts has it).
    const texts = shownTexts(span, styles);
    const apply = spec.attribute ? true
                  : spec.byStart ? !texts.length || !hasStyle(texts[0].parentElement)
                                 : !texts.every((t) => hasStyle(t.parentElement));
    if (texts.length >= kBusyThreshold)
        progress.start();

    // Inside the selection, the elements and inline styles that set another value go first
    // (all of them when the style goes off). The pass starts from the highest element that the
    // selection holds whole, so that a run takes in the inline elements around its first text.
    let first = span.first;
    const last = span.last;
    while (first.parentNode !== document.body && contains(range, first.parentNode))
        first = first.parentNode;
    const past = nextSkippingChildren(last);
    const conflicting = [];
    for (let n = first; n && n !== past; n = nextNode(n)) {
        if (n.nodeType === Node.ELEMENT_NODE && carriesStyle(n, spec) &&
            (!apply || !setsValue(n, spec)))
            conflicting.push(n);
    }
    for (const el of conflicting) {
        const firstChild = el.firstChild, after = nextSkippingChildren(el);
        const now = removeStyleFrom(el, spec);
        if (el === first)
            first = now || firstChild || after;
    }
    has.clear();

    // Runs of inline siblings; each one that has text without the style (or with it, when the
    // style goes off) is wrapped.
    const runs = [];
    const pastLast = nextSkippingChildren(last);
    const leafNeeds = (leaf) => {
        const parent = leaf.parentElement;
        return parent && hasStyle(parent) !== apply;
    };
    for (let node = first; node && node !== pastLast;) {
        let next = nextNode(node);
        const isText = node.nodeType === Node.TEXT_NODE;
        const laidOut = isText ? textRendered(node, styles)
                               : node.nodeType === Node.ELEMENT_NODE && rendered(node, styles);
        if (!laidOut || (!isText && isBlockElement(node, styles))) {
            node = next;
            continue;
        }
        let runEnd = node;
        for (let sibling = node.nextSibling; sibling && sibling !== pastLast &&
                                             !(pastLast && sibling.contains(pastLast));
             sibling = sibling.nextSibling) {
            if (sibling.nodeType === Node.ELEMENT_NODE && isBlockElement(sibling, styles) &&
                sibling.tagName !== 'BR')
                break;
            runEnd = sibling;
        }
        next = nextSkippingChildren(runEnd);
        let needed = false;
        for (let n = node; n && n !== next && !needed; n = nextNode(n)) {
            if (!n.firstChild && leafNeeds(n))
                needed = true;
        }
        if (needed)
            runs.push([node, runEnd]);
        node = next;
    }
    progress.at(50);
    let done = 0;
    for (let [runStart, runEnd] of runs) {
        if (++done % 512 === 0)
            progress.at(50 + Math.floor(50 * done / runs.length));
        // What sets the style within the run goes; the new element sets it for all of it.
        const runPast = nextSkippingChildren(runEnd);
        const inRun = [];
        for (let n = runStart; n && n !== runPast; n = nextNode(n)) {
            if (n.nodeType === Node.ELEMENT_NODE && carriesStyle(n, spec))
                inRun.push(n);
        }
        for (const el of inRun) {
            const firstChild = el.firstChild, lastChild = el.lastChild;
            const now = removeStyleFrom(el, spec);
            if (el === runStart)
                runStart = now || firstChild;
            if (el === runEnd)
                runEnd = now || lastChild;
        }
        if (!runStart || !runEnd)
            continue;
        // A run of one node goes down its chain of only children: the new element wraps the
        // innermost content, and the deepest <font> on the way takes a font value itself.
        let start = runStart, end = runEnd, font = null;
        for (let c = runStart; c && start === end; c = c.firstChild) {
            if (c.tagName === 'FONT')
                font = c;
            if (!c.firstChild)
                break;
            start = c.firstChild;
            end = c.lastChild;
        }
        let wrapper;
        if (spec.attribute && font) {
            touchAttributes(font);
            font.setAttribute(spec.attribute, spec.value);
            continue;
        }
        if (spec.attribute) {
            wrapper = document.createElement('font');
            wrapper.setAttribute(spec.attribute, spec.value);
        } else if (apply) {
            wrapper = document.createElement(spec.tag.toLowerCase());
        } else if (spec.off) {
            wrapper = document.createElement('span');
            wrapper.setAttribute('style', spec.off);
        } else {
            continue;
        }
        surround(start, end, wrapper);
    }

    // Putting the selection back makes Chromium lay the page out at once; a selection of the
    // whole page is still in place.
    const selection = document.getSelection();
    const now = selectionRange();
    if (wholePage && now && now.startContainer === document.body && now.startOffset === 0 &&
        now.endContainer === document.body && now.endOffset === document.body.childNodes.length) {
        return true;
    }
    const after = document.createRange();
    if (wholePage) {
        after.selectNodeContents(document.body);
    } else {
        after.setStart(span.first.isConnected ? span.first : first, 0);
        const end = span.last.isConnected ? span.last : last;
        after.setEnd(end, nodeLength(end));
    }
    selection.removeAllRanges();
    selection.addRange(after);
    return true;
}

// The host shows a wait cursor and "Formatting n%" in its status bar while a long pass runs
// (console lines reach it while the pass still runs); nothing for short ones.
class Progress {
    constructor() {
        this.shown = false;
        this.percent = -1;
    }

    start() {
        this.shown = true;
        this.at(0);
    }

    at(percent) {
        if (!this.shown || percent === this.percent)
            return;
        this.percent = percent;
        notifyHost('busy', { text: 'Formatting ' + percent + '%' });
    }

    end() {
        if (this.shown)
            notifyHost('busy', { done: true, text: 'Done' });
        this.shown = false;
    }
}

// An element that sets the style: an equivalent element goes (one with attributes becomes a
// span that keeps them), a style property is dropped, and a span left without attributes goes.
function removeStyleFrom(el, spec) {
    touchChildren(el.parentNode);
    touchAttributes(el);
    if (spec.attribute && el.tagName === 'FONT') {
        el.removeAttribute(spec.attribute);
    } else if (!spec.attribute && spec.equivalents.includes(el.tagName)) {
        if (!el.attributes.length) {
            unwrapAtOnce(el);
            return null;
        }
        const replacement = document.createElement('span');
        for (const a of Array.from(el.attributes))
            replacement.setAttribute(a.name, a.value);
        el.parentNode.insertBefore(replacement, el);
        while (el.firstChild)
            replacement.appendChild(el.firstChild);
        el.remove();
        el = replacement;
    }
    if (el.style && el.style.getPropertyValue(spec.property) !== '') {
        el.style.removeProperty(spec.property);
        if (!el.style.length)
            el.removeAttribute('style');
    }
    if ((el.tagName === 'SPAN' || el.tagName === 'FONT') && !el.attributes.length) {
        unwrapAtOnce(el);
        return null;
    }
    return el;
}

// Whether an element that carries the style sets the very value the command sets.
function setsValue(el, spec) {
    if (spec.attribute) {
        if (el.tagName === 'FONT' && el.hasAttribute(spec.attribute) &&
            el.getAttribute(spec.attribute).toLowerCase() !== spec.value.toLowerCase())
            return false;
        const css = el.style ? el.style.getPropertyValue(spec.property) : '';
        return !css || css.replace(/["']/g, '').toLowerCase() === spec.value.toLowerCase();
    }
    if (spec.equivalents.includes(el.tagName))
        return true;
    return spec.on.test(el.style.getPropertyValue(spec.property));
}

// The element's children take its place, in two changes (the children out, the element
// replaced by them) that the history can take back.
function unwrapAtOnce(el) {
    const children = Array.from(el.childNodes);
    el.replaceChildren();
    el.replaceWith(...children);
}

// Wraps the siblings from first to last in the element, merged with an identical neighbour.
function surround(first, last, wrapper) {
    const parent = first.parentNode;
    touchChildren(parent);
    if (first === parent.firstChild && last === parent.lastChild) {
        // All the children: two changes for the history instead of one per child.
        const children = Array.from(parent.childNodes);
        parent.replaceChildren(wrapper);
        wrapper.append(...children);
        return;
    }
    const stop = last.nextSibling;
    parent.insertBefore(wrapper, first);
    const nodes = [];
    for (let n = first; n && n !== stop; n = n.nextSibling)
        nodes.push(n);
    wrapper.append(...nodes);
    const next = wrapper.nextSibling;
    if (next && identicalElements(wrapper, next)) {
        wrapper.append(...Array.from(next.childNodes));
        next.remove();
    }
    const previous = wrapper.previousSibling;
    if (previous && identicalElements(previous, wrapper)) {
        previous.append(...Array.from(wrapper.childNodes));
        wrapper.remove();
    }
}

function identicalElements(a, b) {
    if (a.nodeType !== Node.ELEMENT_NODE || b.nodeType !== Node.ELEMENT_NODE ||
        a.tagName !== b.tagName || a.attributes.length !== b.attributes.length)
        return false;
    for (const attribute of Array.from(a.attributes)) {
        if (b.getAttribute(attribute.name) !== attribute.value)
            return false;
    }
    return true;
}

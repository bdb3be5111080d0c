// ---- compiled once the page is editable ----
// Source-preserving save, continued from sourcemap.js (same scope): the content between the
// unchanged children of an element, the writing of elements and of the whole page from the
// source map, and the serialisers that use it.

// ---- content between unchanged children ----

const kReference = /&(?:#[xX][0-9a-fA-F]*;?|#[0-9]*;?|[A-Za-z][A-Za-z0-9]*;?)/y;
const referenceCache = new Map();
const decoder = document.createElement('textarea');

function decodeReference(ref) {
    let text = referenceCache.get(ref);
    if (text === undefined) {
        decoder.innerHTML = ref;
        text = decoder.value;
        decoder.textContent = '';
        referenceCache.set(ref, text);
    }
    return text;
}

const kTag = /<\/?([A-Za-z][^\s/>]*)(?:[^>"']|"[^"]*"|'[^']*')*>/y;
const kRawTagNames = new Set(['script', 'style', 'xmp', 'iframe', 'noembed', 'noframes',
                              'plaintext', 'title', 'textarea', 'noscript']);

// The source between from and to as atoms: each character or reference of text with what it
// reads as, each comment whole, each tag as one atom that reads as nothing. Null where the gap
// cannot be taken apart so (a tag that starts raw text, an unterminated comment).
function sourceAtoms(from, to, raw) {
    const src = sourceMap.source;
    const atoms = [];
    let i = from;
    while (i < to) {
        const c = src[i];
        if (c === '\r') {
            const length = src[i + 1] === '\n' && i + 1 < to ? 2 : 1;
            atoms.push({ s: i, e: i + length, text: '\n' });
            i += length;
            continue;
        }
        if (!raw && c === '<') {
            if (src.startsWith('<!--', i)) {
                const end = src.indexOf('-->', i + 4);
                if (end < 0 || end + 3 > to)
                    return null;
                atoms.push({ s: i, e: end + 3, comment: src.slice(i + 4, end) });
                i = end + 3;
                continue;
            }
            // "<?...>", "<!...>" and "</" not followed by a letter are comments to the parser.
            const next = src[i + 1] || '';
            if (next === '?' || next === '!' || (next === '/' && !/[A-Za-z]/.test(src[i + 2] || ''))) {
                const end = src.indexOf('>', i + 2);
                if (end < 0 || end + 1 > to)
                    return null;
                atoms.push({ s: i, e: end + 1, comment: src.slice(next === '/' ? i + 2 : i + 1 +
                                                                  (next === '!' ? 1 : 0), end) });
                i = end + 1;
                continue;
            }
            // A tag here gave no node (the parser dropped it, as a table row outside a
            // table): it reads as nothing. Which tags did so, the parse of the gap decides.
            if (/[A-Za-z/]/.test(next)) {
                kTag.lastIndex = i;
                const m = kTag.exec(src);
                if (!m || i + m[0].length > to || kRawTagNames.has(m[1].toLowerCase()))
                    return null;
                atoms.push({ s: i, e: i + m[0].length, tag: true });
                i += m[0].length;
                continue;
            }
        }
        if (!raw && c === '&') {
            kReference.lastIndex = i;
            const m = kReference.exec(src);
            if (m && i + m[0].length <= to && m[0].length > 1) {
                atoms.push({ s: i, e: i + m[0].length, text: decodeReference(m[0]) });
                i += m[0].length;
                continue;
            }
        }
        atoms.push({ s: i, e: i + 1, text: c });
        ++i;
    }
    return atoms;
}

function atomKeys(atoms) {
    const keys = [];
    let text = '';
    for (const a of atoms) {
        if (a.tag)
            continue;
        if (a.comment === undefined) {
            text += a.text;
            continue;
        }
        if (text)
            keys.push('t' + text);
        text = '';
        keys.push('c' + a.comment);
    }
    if (text)
        keys.push('t' + text);
    return keys;
}

// One cell per character of text, one per other node.
function contentCells(nodes, trimTail) {
    const cells = [];
    nodes.forEach((n, i) => {
        if (n.nodeType === Node.TEXT_NODE) {
            let data = n.data;
            if (trimTail && i === nodes.length - 1)
                data = data.slice(0, data.length - trimTail);
            for (let k = 0; k < data.length; ++k)
                cells.push(data[k]);
        } else if (n.nodeType === Node.COMMENT_NODE || n.nodeType === Node.ELEMENT_NODE) {
            cells.push(n);
        }
    });
    return cells;
}

// The cells an atom stands for at cells[at], or -1 when they are not there.
function atomMatches(atom, cells, at) {
    if (atom.tag)
        return 0;
    if (atom.comment !== undefined) {
        const n = cells[at];
        return typeof n === 'object' && n.nodeType === Node.COMMENT_NODE && n.data === atom.comment
                   ? 1 : -1;
    }
    const t = atom.text;
    if (at + t.length > cells.length)
        return -1;
    for (let i = 0; i < t.length; ++i) {
        if (cells[at + i] !== t[i])
            return -1;
    }
    return t.length;
}

function atomMatchesBefore(atom, cells, end, floor) {
    const length = atom.tag ? 0 : atom.comment !== undefined ? 1 : atom.text.length;
    return end - length >= floor && atomMatches(atom, cells, end - length) >= 0 ? length : -1;
}

function standardNode(node, parent) {
    noteTailWritten(node);
    if (node.nodeType === Node.TEXT_NODE)
        return newText(isRaw(parent) ? node.data : escapeText(node.data));
    if (node.nodeType === Node.COMMENT_NODE)
        return newText('<!--' + node.data + '-->');
    if (node.nodeType !== Node.ELEMENT_NODE)
        return '';
    // An unchanged element from elsewhere in the page keeps its source.
    const span = spanOf(node);
    if (span && span.end >= 0 && !sourceMap.dirty.has(node) && spanReproduces(node, span)) {
        let text = sourceMap.source.slice(span.start, span.end);
        if (span.endTagStart < 0 && !kVoid.has(node.tagName))
            text += newText('</' + node.localName + '>');
        return text;
    }
    return newText(standardElement(node));
}

function standardCells(cells, parent) {
    let out = '', text = '';
    for (const c of cells) {
        if (typeof c === 'string') {
            text += c;
            continue;
        }
        if (text)
            out += newText(isRaw(parent) ? text : escapeText(text));
        text = '';
        out += standardNode(c, parent);
    }
    if (text)
        out += newText(isRaw(parent) ? text : escapeText(text));
    return out;
}

// The nodes of parent between two unchanged children (or the parent's tags), whose source lies
// between from and to (-1: not known).
function writeContent(parent, nodes, from, to, out, trimTail) {
    if (!nodes.length && from < 0)
        return false;
    if (parent === document.documentElement) {
        writeTopLevel(nodes, from, to, out);
        return false;
    }
    const raw = isRaw(parent);
    const keys = nodeKeys(nodes, trimTail);
    if (from >= 0 && to >= from) {
        const gap = sourceMap.source.slice(from, to);
        // Unchanged, the common case: white space between elements.
        if (!/[<&\r]/.test(gap) && (keys.length === 0 ? gap === '' : keys.length === 1 &&
                                     keys[0] === 't' + gap)) {
            out.source(from, to);
            return false;
        }
        if (reproduces(parent, gap, keys)) {
            out.source(from, to);
            return false;
        }
        const atoms = sourceAtoms(from, to, raw);
        if (atoms && sameKeys(atomKeys(atoms), nodeKeys(parseIn(parent, gap)))) {
            const cells = contentCells(nodes, trimTail);
            let a = 0, c = 0;
            for (let n; a < atoms.length && (n = atomMatches(atoms[a], cells, c)) >= 0; ++a)
                c += n;
            let b = atoms.length, d = cells.length;
            for (let n; b > a && (n = atomMatchesBefore(atoms[b - 1], cells, d, c)) >= 0; --b)
                d -= n;
            const prefixEnd = a ? atoms[a - 1].e : from;
            const suffixStart = b < atoms.length ? atoms[b].s : to;
            const middle = standardCells(cells.slice(c, d), parent);
            const src = sourceMap.source;
            if (reproduces(parent, src.slice(from, prefixEnd) + middle + src.slice(suffixStart, to),
                           keys)) {
                out.source(from, prefixEnd);
                out.text(middle);
                out.source(suffixStart, to);
                return true;
            }
        }
    }
    const standard = standardCells(contentCells(nodes, trimTail), parent);
    if (!reproduces(parent, standard, keys))
        throw new Fallback(parent);
    out.text(standard);
    return true;
}

// Between head and body only white space and comments stand, and the parser drops white space
// before the head: such a gap is kept when its comments are the document's.
function writeTopLevel(nodes, from, to, out) {
    const comments = (list) => list.filter((n) => n.nodeType === Node.COMMENT_NODE)
                                   .map((n) => n.data).join('\u0000');
    const blank = nodes.every((n) => n.nodeType === Node.COMMENT_NODE ||
                                     (n.nodeType === Node.TEXT_NODE && !/\S/.test(n.data)));
    if (from >= 0 && to >= from && blank) {
        const gap = sourceMap.source.slice(from, to);
        if (/^(?:\s|<!--[\s\S]*?-->)*$/.test(gap)) {
            const inGap = [];
            gap.replace(/<!--([\s\S]*?)-->/g, (m, data) => inGap.push(data));
            if (inGap.join('\u0000') === comments(nodes)) {
                out.source(from, to);
                return;
            }
        }
    }
    out.text(nodes.map((n) => standardNode(n, document.documentElement)).join(''));
}

// ---- elements ----

function childNodesOf(el) {
    return el.tagName === 'TEMPLATE' && el.namespaceURI === kHtmlNs ? el.content.childNodes
                                                                       : el.childNodes;
}

// Elements this save writes in the standard syntax because the page parsed from the first
// attempt did not give them back.
let forcedStandard = new Set();
let writtenInParts = new Set(); // elements of this attempt not written as one piece of source
let afterCheckedElement = new Set(); // elements written in parts that parsed back in their parent

function emitElement(el, out, givenSpan) {
    const span = givenSpan || spanOf(el);
    if (forcedStandard.has(el)) {
        noteTailWritten(el);
        out.text(newText(standardElement(el)));
        return;
    }
    if (span && !span.implied && span.end >= 0 && !sourceMap.dirty.has(el) &&
        spanReproduces(el, span)) {
        out.source(span.start, span.end);
        if (span.endTagStart < 0 && !kVoid.has(el.tagName))
            out.endOmitted(el, span.end);
        return;
    }
    const mark = out.mark();
    writtenInParts.add(el);
    try {
        const rewritten = emitElementParts(el, span, out);
        // What was written anew inside parses back, in its element, to what the document has;
        // the element as a whole, parsed where it stands, must give itself back too (the parser
        // carries state, such as reopened formatting elements, from one piece to the next).
        if (rewritten && !kImplied.has(el.tagName) && el.parentNode &&
            el.parentNode.nodeType === Node.ELEMENT_NODE &&
            !(bodyTailActive() && el.contains(tailNode))) {
            const text = out.textFrom(out.firstPartAfter(mark));
            if (!reproduces(el.parentNode, text, ['e' + el.outerHTML]))
                throw new Fallback(el);
            afterCheckedElement.add(el);
        }
    } catch (e) {
        if (!(e instanceof Fallback) || e.element !== el || el === document.documentElement)
            throw e;
        out.reset(mark);
        noteTailWritten(el);
        out.text(newText(standardElement(el)));
    }
}

function emitElementParts(el, span, out) {
    // html, head, body and tbody that the parser made up (no tag in the source) stay unwritten:
    // the parser makes them again.
    const implied = (!span || span.implied) && kImplied.has(el.tagName) &&
                    (!el.attributes.length || (!!sourceMap.merged && !sourceMap.attributesDirty.has(el)));
    let rewritten = false;
    if (span && span.implied) {
        if (!implied)
            out.text(standardStartTag(el));
    } else if (span && span.startTagEnd >= 0) {
        rewritten = sourceMap.attributesDirty.has(el);
        if (!rewritten)
            out.source(span.start, span.startTagEnd);
        else
            out.text(patchedStartTag(el, span) || standardStartTag(el));
    } else if (!implied) {
        out.text(standardStartTag(el));
    }
    if (kVoid.has(el.tagName))
        return rewritten;
    if (emitChildren(el, span, out))
        rewritten = true;
    if (span && span.endTagStart >= 0)
        out.source(span.endTagStart, span.end);
    else if (span && span.end >= 0)
        out.endOmitted(el, span.end);
    else if (!implied)
        out.text(newText('</' + el.localName + '>'));
    return rewritten;
}

function firstSourceStart(el) {
    for (let n = el.firstElementChild; n; n = n.nextElementSibling) {
        const s = spanOf(n);
        if (s)
            return s.start;
    }
    return -1;
}

// The body of a page whose html tag came after its content begins with that content, at the
// cursor: -1 for other elements.
function mergedStart(el, cursor) {
    return sourceMap.merged && el === document.body && el.firstChild &&
           el.firstChild.nodeType !== Node.ELEMENT_NODE ? cursor : -1;
}

// Where an element that has no tags in the source (an implied tbody, say) stands there: from
// its first child to the next element after it (or its parent's end).
function impliedSpan(el, cursor, parentEnd) {
    if (!kImplied.has(el.tagName) || el.namespaceURI !== kHtmlNs || cursor < 0 ||
        spanOf(el) || sourceMap.index.has(el))
        return null;
    // Its source begins with its first child from the source; what stands before that child
    // is new.
    let start = mergedStart(el, cursor);
    for (let n = el.firstElementChild; n && start < 0; n = n.nextElementSibling) {
        const s = spanOf(n);
        if (s)
            start = s.start;
    }
    if (start < 0)
        start = cursor;
    let end = parentEnd;
    for (let n = el.nextSibling; n; n = n.nextSibling) {
        if (n.nodeType !== Node.ELEMENT_NODE)
            continue;
        const s = spanOf(n);
        const m = mergedStart(n, cursor);
        end = s ? s.start : m >= 0 ? m : kImplied.has(n.tagName) ? firstSourceStart(n) : -1;
        break;
    }
    // An empty one (a head made up before the body) stands just before what follows it: the
    // source before it is the parent's (white space the parser dropped there, say).
    if (!el.firstChild && start === cursor && end >= cursor)
        start = end;
    if (start < cursor || end < start)
        return null;
    return { k: -1, start: start, startTagEnd: start, endTagStart: -1, end: end, implied: true };
}

// While the output is the source up to the cursor, the children from index i on that stand
// as they were read parse as they did at the load, whatever their markup: the parser meets the
// same text in the same state. Returns the index after the last element of that run written
// as one piece of source (i itself when there is none).
// On a page too large to parse back in time (see kWholeCheckLimit) the same holds after a
// changed element that was checked in its parent, as long as the parser made no clones of
// formatting elements anywhere in the page: then no element left open inside the change
// reaches into what follows, and the parser goes on after it in the state it had at the load.
// The children of the run follow each other in the source with nothing numbered between them
// (an element the parser put before a table from inside it breaks the run).
function emitUnchangedRun(children, i, cursor, end, out) {
    const sameState = out.sourceEnd === cursor ||
                      (sourceMap.source.length > kWholeCheckLimit && !sourceMap.duplicated.size &&
                       i > 0 && afterCheckedElement.has(children[i - 1]));
    if (cursor < 0 || !sameState)
        return { next: i };
    let last = -1, lastSpan = null, at = cursor;
    for (let j = i; j < children.length; ++j) {
        const n = children[j];
        if (sourceMap.dirty.has(n) || sourceMap.moved.has(n) || forcedStandard.has(n))
            break;
        if (n.nodeType !== Node.ELEMENT_NODE)
            continue;
        const s = spanOf(n);
        if (!s || s.k !== firstSpanFrom(at) || s.end < 0 || (end >= 0 && s.end > end))
            break;
        last = j;
        lastSpan = s;
        at = s.end;
    }
    if (last < 0)
        return { next: i };
    out.source(cursor, lastSpan.end);
    if (lastSpan.endTagStart < 0 && !kVoid.has(children[last].tagName))
        out.endOmitted(children[last], lastSpan.end);
    return { next: last + 1, cursor: lastSpan.end };
}

// The number of the first element whose start tag is at or after pos.
function firstSpanFrom(pos) {
    const s = sourceMap.spans;
    let lo = 0, hi = s.length >> 2;
    while (lo < hi) {
        const mid = (lo + hi) >> 1;
        if (s[4 * mid] < pos)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

function insideLaterSibling(child, span) {
    for (let n = child.nextElementSibling; n; n = n.nextElementSibling) {
        const s = spanOf(n);
        if (s)
            return s.start < span.start && span.start < s.end;
    }
    return false;
}

// Whether text parsed as the content of parent gives these nodes. The browser's own comparison
// answers first (it does not look into template contents, which the keys do).
function parsesTo(parent, text, nodes) {
    const parsed = parseIn(parent, text);
    if (parsed.length === nodes.length && parsed.every((n, j) => n.isEqualNode(nodes[j])) &&
        !nodes.some((n) => n.nodeType === Node.ELEMENT_NODE &&
                           (n.tagName === 'TEMPLATE' || n.getElementsByTagName('template').length)))
        return true;
    return sameKeys(nodeKeys(parsed), nodeKeys(nodes));
}

// Elsewhere, a run of children that stand as they were read is written as its source when that
// parses, in the element, to those children: elements the parser rearranged (formatting
// elements closed out of order, their clones) keep their source together, which written one
// by one they could not. Returns the index after the run, i when there is none; *checked
// tells how far a failed check reached, so that it is not made again for a shorter run.
function emitCheckedRun(el, children, i, cursor, end, out, checked) {
    if (cursor < 0 || i <= checked.upTo)
        return { next: i };
    let last = -1, runEnd = cursor;
    const s = sourceMap.spans;
    for (let j = i; j < children.length; ++j) {
        const n = children[j];
        if (sourceMap.dirty.has(n) || sourceMap.moved.has(n) || forcedStandard.has(n))
            break;
        if (n.nodeType !== Node.ELEMENT_NODE)
            continue;
        // Clones of reopened formatting elements count with the element they copy.
        const k = sourceMap.index.get(n);
        if (k === undefined)
            break;
        const nEnd = s[4 * k + 3];
        if (s[4 * k] < cursor || nEnd < 0 || (end >= 0 && nEnd > end))
            break;
        last = j;
        runEnd = Math.max(runEnd, nEnd);
    }
    if (last < 0)
        return { next: i };
    const nodes = Array.prototype.slice.call(children, i, last + 1);
    if (!parsesTo(el, sourceMap.source.slice(cursor, runEnd), nodes)) {
        checked.upTo = last;
        return { next: i };
    }
    out.source(cursor, runEnd);
    const lastK = sourceMap.index.get(children[last]);
    if (s[4 * lastK + 2] < 0 && s[4 * lastK + 3] === runEnd && !kVoid.has(children[last].tagName))
        out.endOmitted(children[last], runEnd);
    return { next: last + 1, cursor: runEnd };
}

function emitChildren(el, span, out) {
    let cursor = span && span.startTagEnd >= 0 ? span.startTagEnd : -1;
    const end = span ? (span.endTagStart >= 0 ? span.endTagStart : span.end) : -1;
    let content = [], rewritten = false;
    const children = childNodesOf(el);
    const checked = { upTo: -1 };
    for (let i = 0; i < children.length; ++i) {
        if (!content.length) {
            let run = emitUnchangedRun(children, i, cursor, end, out);
            if (run.next === i && el !== document.documentElement)
                run = emitCheckedRun(el, children, i, cursor, end, out, checked);
            if (run.next > i) {
                i = run.next - 1;
                cursor = run.cursor;
                continue;
            }
        }
        const child = children[i];
        const childSpan = child.nodeType !== Node.ELEMENT_NODE
                              ? null
                              : spanOf(child) || impliedSpan(child, cursor, end);
        // A child is an anchor when its source follows what was written so far, and not from
        // inside the source of a later sibling (an element the parser put before a table).
        if (!childSpan || childSpan.start < cursor || (end >= 0 && childSpan.end > end) ||
            insideLaterSibling(child, childSpan)) {
            content.push(child);
            continue;
        }
        if (writeContent(el, content, cursor, childSpan.start, out, 0))
            rewritten = true;
        content = [];
        emitElement(child, out, childSpan);
        cursor = childSpan.end;
        if (child === document.body && bodyTailActive()) {
            // The white space after </body> goes back there, unless the body holds it already.
            if (!tailInside)
                out.text(sourceMap.bodyTail.inHtml);
            cursor = -1;
        }
    }
    const trim = bodyTailActive() && content.length && content[content.length - 1] === tailNode
                     ? sourceMap.bodyTail.tail.length : 0;
    return writeContent(el, content, cursor, end, out, trim) || rewritten;
}

// Pages up to this size are parsed back whole after the writing and compared with the
// document; larger ones rely on the checks made piece by piece.
const kWholeCheckLimit = 1 << 20;

function sourceSerializeDocument() {
    forcedStandard = new Set();
    let first = null;
    try {
        for (let attempt = 0; attempt < 4; ++attempt) {
            writtenInParts = new Set();
            afterCheckedElement = new Set();
            const written = writeDocument();
            if (!written || written.text.length > kWholeCheckLimit)
                return written || standardDocument();
            first = first || written;
            const differing = differenceAfterParse(written.text);
            if (!differing)
                return written;
            let target = differing;
            while (target && target !== document.documentElement &&
                   (!writtenInParts.has(target) || forcedStandard.has(target)) &&
                   target.parentNode && target.parentNode.nodeType === Node.ELEMENT_NODE)
                target = target.parentNode;
            if (!target || target === document.documentElement || forcedStandard.has(target))
                break;
            forcedStandard.add(target);
        }
        // A document that no markup gives back (content the parser always moves): the standard
        // syntax if that does, else the source-kept text, which changes the least.
        const standard = standardDocument();
        return first && differenceAfterParse(standard) ? first : standard;
    } finally {
        forcedStandard = new Set();
        writtenInParts = new Set();
        afterCheckedElement = new Set();
    }
}

function differenceAfterParse(text) {
    const parsed = new DOMParser().parseFromString(text, 'text/html');
    // The common answer, from the browser's own comparison; the walk only finds where.
    if (parsed.documentElement && sameTemplates(document, parsed) &&
        parsed.documentElement.isEqualNode(document.documentElement))
        return null;
    return firstDifference(document.documentElement, parsed.documentElement);
}

// isEqualNode does not look into template contents: those are compared apart.
function sameTemplates(live, parsed) {
    const a = live.querySelectorAll('template'), b = parsed.querySelectorAll('template');
    if (a.length !== b.length)
        return false;
    for (let i = 0; i < a.length; ++i) {
        if (!a[i].content.isEqualNode(b[i].content) || !sameTemplates(a[i].content, b[i].content))
            return false;
    }
    return true;
}

// The element of the document whose attributes or children differ from the parsed page's.
function firstDifference(live, parsed) {
    if (!parsed || live.namespaceURI !== parsed.namespaceURI || live.localName !==
        parsed.localName || !sameKeys(attributeKeys(live), attributeKeys(parsed)))
        return live.parentNode && live.parentNode.nodeType === Node.ELEMENT_NODE ? live.parentNode
                                                                                 : live;
    const a = comparable(childNodesOf(live)), b = comparable(childNodesOf(parsed));
    if (a.length !== b.length)
        return live;
    for (let i = 0; i < a.length; ++i) {
        if (a[i].key !== b[i].key)
            return live;
    }
    for (let i = 0; i < a.length; ++i) {
        if (a[i].element) {
            const d = firstDifference(a[i].element, b[i].element);
            if (d)
                return d;
        }
    }
    return null;
}

function comparable(nodes) {
    const list = [];
    let text = null;
    const flush = () => {
        if (text)
            list.push({ key: 't' + text });
        text = null;
    };
    for (const n of nodes) {
        if (n.nodeType === Node.TEXT_NODE) {
            text = (text || '') + n.data;
            continue;
        }
        flush();
        if (n.nodeType === Node.COMMENT_NODE)
            list.push({ key: 'c' + n.data });
        else if (n.nodeType === Node.ELEMENT_NODE)
            list.push({ key: 'e' + n.namespaceURI + ' ' + n.localName, element: n });
    }
    flush();
    return list;
}

function writeDocument() {
    const html = document.documentElement;
    const merged = sourceMap.merged;
    const span = merged ? { k: -1, start: merged.start, startTagEnd: merged.start,
                            endTagStart: -1, end: sourceMap.source.length, implied: true }
                        : html && spanOf(html);
    if (!span || sourceMap.documentDirty)
        return null;
    const out = new SourceOutput();
    findBodyTail();
    out.source(0, span.start);
    try {
        emitElement(html, out, span);
    } catch (e) {
        if (!(e instanceof Fallback))
            throw e;
        return null;
    }
    let text = out.join();
    // White space after </html> went into the body; it belongs here while the body's tail is
    // intact, and was written with the body otherwise.
    const after = span.endTagStart >= 0 ? sourceMap.source.slice(span.end) : '';
    if (/\S/.test(after) || (bodyTailActive() && !tailInside))
        text += after;
    return { text: text, lineEndsDone: true };
}

function sourceSerializeElement(el) {
    const out = new SourceOutput();
    findBodyTail();
    try {
        emitElement(el, out);
    } catch (e) {
        if (!(e instanceof Fallback))
            throw e;
        return standardElement(el);
    }
    return out.join();
}

// The plain serialisers, kept for pages whose top level changed and for pages without a map.
const standardDocument = serializeDocument;
const standardElement = serializeElement;
serializeElement = (el) => (sourceMap.on ? sourceSerializeElement(el) : standardElement(el));
serializeDocument = () => (sourceMap.on ? sourceSerializeDocument() : standardDocument());

operations.sourceState = () => ({ ok: true, result: { sourceMap: sourceMap.on } });

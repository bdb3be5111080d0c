// Source-preserving save (filtered load with source formatting): the host numbered every start
// tag of the page text and sends the text with the span of each numbered element. Here the
// numbers are read off the elements (and removed, before anything records or shows them), edits
// mark what they touch, and the save writes every untouched element, tag and run of text between
// elements exactly as it stood in the source; only what was edited is written anew.

const kMarker = 'data-source-k';

const sourceMap = {
    on: false,
    source: '',
    spans: null,          // 4 per element: start, startTagEnd, endTagStart (-1: none), end
    index: new WeakMap(), // element -> number
    duplicated: new Set(),
    dirty: new WeakSet(), // nodes changed or holding a change
    attributesDirty: new WeakSet(),
    documentDirty: false,
    crlf: false,
    bodyTail: null,       // whitespace the parser moved from after </body> into the body
};

readyHooks.push((options) => {
    const filter = options.filter;
    if (!filter || !filter.sourceMap)
        return;
    sourceMap.on = true;
    sourceMap.source = filter.source;
    sourceMap.spans = filter.spans;
    sourceMap.crlf = !!filter.crlf;
    const roots = [document];
    for (const t of document.querySelectorAll('template'))
        roots.push(t.content);
    for (const root of roots) {
        for (const el of root.querySelectorAll('[' + kMarker + ']')) {
            const k = parseInt(el.getAttribute(kMarker), 10);
            el.removeAttribute(kMarker);
            if (!(k >= 0 && 4 * k + 3 < sourceMap.spans.length))
                continue;
            sourceMap.index.set(el, k);
        }
    }
    findDuplicates();
    noteBodyTail();
});

// The parser clones formatting elements it reopens: a number seen twice is unusable.
function findDuplicates() {
    const counts = new Map();
    const walker = document.createTreeWalker(document, NodeFilter.SHOW_ELEMENT);
    for (let el = walker.nextNode(); el; el = walker.nextNode()) {
        const k = sourceMap.index.get(el);
        if (k !== undefined)
            counts.set(k, (counts.get(k) || 0) + 1);
    }
    for (const [k, count] of counts) {
        if (count > 1)
            sourceMap.duplicated.add(k);
    }
}

function spanOf(el) {
    const k = sourceMap.index.get(el);
    if (k === undefined || sourceMap.duplicated.has(k))
        return null;
    const s = sourceMap.spans;
    return { k: k, start: s[4 * k], startTagEnd: s[4 * k + 1], endTagStart: s[4 * k + 2],
             end: s[4 * k + 3] };
}

function markDirty(node) {
    for (let n = node; n && !sourceMap.dirty.has(n); n = n.parentNode || n.host)
        sourceMap.dirty.add(n);
}

mutationListeners.push((records) => {
    if (!sourceMap.on)
        return;
    for (const r of records) {
        if (r.target === document)
            sourceMap.documentDirty = true;
        if (r.type === 'attributes')
            sourceMap.attributesDirty.add(r.target);
        markDirty(r.target);
    }
});

// White space after </body> (before and after </html>) ends up in the element still open there,
// at the end of the body's last text; it is written back where it stood as long as that text is
// untouched.
function noteBodyTail() {
    const body = document.body, html = document.documentElement;
    const b = body && spanOf(body), h = html && spanOf(html);
    if (!b || !h || b.endTagStart < 0)
        return;
    const inHtml = sourceMap.source.slice(b.end, h.endTagStart >= 0 ? h.endTagStart : h.end);
    const afterHtml = h.endTagStart >= 0 ? sourceMap.source.slice(h.end) : '';
    if (/\S/.test(inHtml + afterHtml))
        return;
    const tail = normaliseNewlines(inHtml + afterHtml);
    let last = body.lastChild;
    while (last && last.nodeType === Node.ELEMENT_NODE && !kNoTailInside.has(last.tagName))
        last = last.lastChild;
    if (!tail || !last || last.nodeType !== Node.TEXT_NODE || !last.data.endsWith(tail))
        return;
    sourceMap.bodyTail = { node: last, length: tail.length, inHtml: inHtml };
}

const kNoTailInside = new Set(['SCRIPT', 'STYLE', 'TEXTAREA', 'TITLE', 'XMP', 'PLAINTEXT', 'IFRAME',
                               'NOEMBED', 'NOFRAMES', 'TEMPLATE', 'BR', 'IMG', 'HR', 'INPUT']);

function normaliseNewlines(text) {
    return text.replace(/\r\n?/g, '\n');
}

commentGlyphProviders.push((comment) => {
    const m = /^&#xE000;([sd])\d+&#xE001;$/i.exec(comment.data);
    return m ? (m[1].toLowerCase() === 's' ? '<%>' : '<DTC>') : '';
});

// ---- compiled once the page is editable ----

// The writer. Every element is written as the source had it while it and its content are
// unchanged; a changed element keeps its own tags (a changed start tag is patched attribute by
// attribute), and the content between its unchanged children is written as the difference to
// the source: the text before and after the change as it stood, only the change anew. Whatever
// is written anew is parsed back in the element's context and compared with the document; when
// the two differ the content is written in the standard syntax, and when even that does not
// give the document back (content the parser would move) the element is written whole in the
// standard syntax.

const kVoid = new Set(['AREA', 'BASE', 'BASEFONT', 'BGSOUND', 'BR', 'COL', 'EMBED', 'FRAME',
                       'HR', 'IMG', 'INPUT', 'KEYGEN', 'LINK', 'META', 'PARAM', 'SOURCE',
                       'TRACK', 'WBR']);
const kRawText = new Set(['SCRIPT', 'STYLE', 'XMP', 'IFRAME', 'NOEMBED', 'NOFRAMES', 'PLAINTEXT']);
const kImplied = new Set(['HTML', 'HEAD', 'BODY', 'TBODY']);
const kHtmlNs = 'http://www.w3.org/1999/xhtml';

function newText(text) {
    return sourceMap.crlf ? text.replace(/\r?\n/g, '\r\n') : text;
}

function escapeText(text) {
    return text.replace(/&/g, '&amp;').replace(/\u00a0/g, '&nbsp;').replace(/</g, '&lt;')
        .replace(/>/g, '&gt;');
}

function isRaw(parent) {
    return !!parent && parent.namespaceURI === kHtmlNs && kRawText.has(parent.tagName);
}

function standardStartTag(el) {
    const shallow = el.cloneNode(false).outerHTML;
    if (kVoid.has(el.tagName))
        return newText(shallow);
    const end = '</' + el.localName + '>';
    return newText(shallow.endsWith(end) ? shallow.slice(0, -end.length) : shallow);
}

const scratch = document.createElement('template');

// Verdicts on unchanged elements (their span parsed alone gives them back); an element that
// changes is never asked again, so a verdict stays true while it can be used.
const reproducedCache = new WeakMap();

function spanReproduces(el, span) {
    const cached = reproducedCache.get(el);
    if (cached !== undefined)
        return cached;
    // The numbered elements inside follow each other as in the source (clones of reopened
    // formatting elements aside), so nothing of the span lives elsewhere now.
    let last = span.k, same = true;
    const walker = document.createTreeWalker(el, NodeFilter.SHOW_ELEMENT);
    for (let d = walker.nextNode(); d && same; d = walker.nextNode()) {
        const k = sourceMap.index.get(d);
        if (k === undefined)
            continue;
        if (sourceMap.duplicated.has(k)) {
            last = Math.max(last, k);
            continue;
        }
        same = k > last;
        last = k;
    }
    const s = sourceMap.spans;
    if (same && 4 * (last + 1) < s.length && s[4 * (last + 1)] < span.end)
        same = false;
    if (same) {
        scratch.innerHTML = sourceMap.source.slice(span.start, span.end);
        const nodes = scratch.content.childNodes;
        same = nodes.length === 1 && nodes[0].nodeType === Node.ELEMENT_NODE &&
               nodes[0].outerHTML === el.outerHTML;
        scratch.innerHTML = '';
    }
    reproducedCache.set(el, same);
    return same;
}

function bodyTailActive() {
    const tail = sourceMap.bodyTail;
    return !!tail && tail.node.isConnected && !!document.body &&
           document.body.contains(tail.node) && !sourceMap.dirty.has(tail.node);
}

// ---- parsing back ----

// Parses markup as the content of an element like parent (same name and namespace).
function parseIn(parent, text) {
    if (parent.tagName === 'TEMPLATE' && parent.namespaceURI === kHtmlNs) {
        scratch.innerHTML = text;
        const nodes = Array.from(scratch.content.childNodes);
        scratch.innerHTML = '';
        return nodes;
    }
    const context = document.createElementNS(parent.namespaceURI, parent.localName);
    context.innerHTML = text;
    return Array.from(context.childNodes);
}

// Node lists compared as a parser sees them: adjacent texts as one.
function nodeKeys(nodes, trimTail) {
    const keys = [];
    let text = null;
    nodes.forEach((n, i) => {
        if (n.nodeType === Node.TEXT_NODE) {
            let data = n.data;
            if (trimTail && i === nodes.length - 1)
                data = data.slice(0, data.length - trimTail);
            text = (text || '') + data;
            return;
        }
        if (text !== null && text !== '')
            keys.push('t' + text);
        text = null;
        if (n.nodeType === Node.COMMENT_NODE)
            keys.push('c' + n.data);
        else if (n.nodeType === Node.ELEMENT_NODE)
            keys.push('e' + n.outerHTML);
    });
    if (text !== null && text !== '')
        keys.push('t' + text);
    return keys;
}

function sameKeys(a, b) {
    return a.length === b.length && a.every((k, i) => k === b[i]);
}

function reproduces(parent, text, keys) {
    return sameKeys(nodeKeys(parseIn(parent, text)), keys);
}

// ---- the output ----

// Pieces of the saved text. An element whose end tag the source leaves out is closed by what
// follows it there; it stays without one while the output goes on with that same source, and
// gets its end tag written otherwise.
class SourceOutput {
    constructor() {
        this.parts = [];
        this.pending = [];
        this.resolves = []; // where end tags of earlier elements were written (parts index)
    }
    // The first part written for what came after the mark, past end tags it resolved.
    firstPartAfter(mark) {
        if (!mark.pending.length)
            return mark.parts;
        const at = this.resolves.find((r) => r >= mark.parts);
        return at === undefined ? mark.parts : at;
    }
    resolve(at, next) {
        const starting = next ? /^<([A-Za-z][^\s/>]*)/.exec(next) : null;
        for (const p of this.pending) {
            if (p.end !== at && !(starting && closedBy(p.name, starting[1].toLowerCase())))
                this.parts.push(newText('</' + p.name + '>'));
        }
        this.pending.length = 0;
        this.resolves.push(this.parts.length);
    }
    source(from, to) {
        if (to <= from)
            return;
        if (this.pending.length)
            this.resolve(from);
        this.parts.push(sourceMap.source.slice(from, to));
    }
    text(text) {
        if (!text)
            return;
        if (this.pending.length)
            this.resolve(-1, text);
        this.parts.push(text);
    }
    endOmitted(el, end) {
        this.pending.push({ name: el.localName, end: end });
    }
    mark() {
        return { parts: this.parts.length, pending: this.pending.slice() };
    }
    reset(mark) {
        this.parts.length = mark.parts;
        this.pending = mark.pending.slice();
        this.resolves = this.resolves.filter((r) => r <= mark.parts);
    }
    join() {
        this.pending.length = 0; // the end of the page closes what is still open
        return this.parts.join('');
    }
}

// Start tags that end an open element of these names (the implied ends the source relies on).
const kBlockStarts = new Set(['address', 'article', 'aside', 'blockquote', 'center', 'dir', 'div',
                              'dl', 'fieldset', 'figure', 'footer', 'form', 'h1', 'h2', 'h3',
                              'h4', 'h5', 'h6', 'header', 'hr', 'menu', 'nav', 'ol', 'p', 'pre',
                              'section', 'table', 'ul', 'li', 'dd', 'dt', 'listing']);
const kRowGroups = ['tbody', 'thead', 'tfoot'];
const kHeadContent = new Set(['title', 'meta', 'link', 'style', 'script', 'base', 'basefont',
                              'bgsound', 'noscript', 'template', 'noframes']);
function closedBy(open, starting) {
    switch (open) {
    case 'p':
        return kBlockStarts.has(starting) && !(starting === 'table' && document.compatMode ===
                                                                         'BackCompat');
    case 'li':
        return starting === 'li';
    case 'dt':
    case 'dd':
        return starting === 'dt' || starting === 'dd';
    case 'option':
        return starting === 'option' || starting === 'optgroup';
    case 'td':
    case 'th':
        return ['td', 'th', 'tr', ...kRowGroups].includes(starting);
    case 'tr':
        return ['tr', ...kRowGroups].includes(starting);
    case 'tbody':
    case 'thead':
    case 'tfoot':
        return kRowGroups.includes(starting);
    case 'head':
        return !kHeadContent.has(starting);
    }
    return false;
}

class Fallback {
    constructor(element) {
        this.element = element;
    }
}

// ---- start tags ----

// The attributes of a source start tag: [{ name, start, end }] (start at the white space before
// the name, end after the value), and where the tag's closing "/>" or ">" begins.
function tagAttributes(tag) {
    const attrs = [];
    let i = 1;
    while (i < tag.length && !/[\s/>]/.test(tag[i]))
        ++i;
    for (;;) {
        const before = i;
        while (i < tag.length && /[\s/]/.test(tag[i]) && !(tag[i] === '/' && tag[i + 1] === '>'))
            ++i;
        if (i >= tag.length || tag[i] === '>' || (tag[i] === '/' && tag[i + 1] === '>'))
            return { attrs: attrs, close: before };
        const nameStart = i;
        ++i; // a name may begin with '='
        while (i < tag.length && !/[\s/>=]/.test(tag[i]))
            ++i;
        const written = tag.slice(nameStart, i);
        const name = written.toLowerCase();
        let j = i;
        while (j < tag.length && /\s/.test(tag[j]))
            ++j;
        if (tag[j] === '=') {
            ++j;
            while (j < tag.length && /\s/.test(tag[j]))
                ++j;
            if (tag[j] === '"' || tag[j] === "'") {
                const close = tag.indexOf(tag[j], j + 1);
                j = close < 0 ? tag.length : close + 1;
            } else {
                while (j < tag.length && !/[\s>]/.test(tag[j]))
                    ++j;
            }
            i = j;
        }
        attrs.push({ name: name, written: written, start: before, end: i });
    }
}

function attributeText(name, value) {
    if (value === '')
        return name;
    if (/^[^\s"'=<>`&]+$/.test(value) && !/\//.test(value))
        return name + '=' + value;
    return name + '="' + value.replace(/&/g, '&amp;').replace(/"/g, '&quot;')
        .replace(/\u00a0/g, '&nbsp;') + '"';
}

// The attributes a start tag gives an element, as name=value lines.
function attributeKeys(el) {
    return Array.from(el.attributes, (a) => a.name + '=' + a.value).sort();
}

function parsedAttributes(tag) {
    // A neutral name, so that the tag parses the same anywhere.
    const m = /^<[^\s/>]+/.exec(tag);
    scratch.innerHTML = '<x-tag' + tag.slice(m ? m[0].length : 1);
    const el = scratch.content.firstElementChild;
    const keys = el ? attributeKeys(el) : null;
    scratch.innerHTML = '';
    return keys;
}

// The source start tag with the attributes that changed written anew, or null.
function patchedStartTag(el, span) {
    if (el.namespaceURI !== kHtmlNs)
        return null;
    const tag = sourceMap.source.slice(span.start, span.startTagEnd);
    const { attrs, close } = tagAttributes(tag);
    const parsed = parsedAttributes(tag);
    if (!parsed)
        return null;
    const oldValues = new Map();
    for (const line of parsed) {
        const eq = line.indexOf('=');
        oldValues.set(line.slice(0, eq), line.slice(eq + 1));
    }
    let out = '', at = 0;
    const seen = new Set();
    for (const a of attrs) {
        if (seen.has(a.name))
            continue; // a repeated attribute, which the parser drops: left as it stands
        seen.add(a.name);
        if (!oldValues.has(a.name))
            return null;
        if (el.hasAttribute(a.name) && el.getAttribute(a.name) === oldValues.get(a.name))
            continue;
        out += tag.slice(at, a.start);
        if (el.hasAttribute(a.name)) {
            const space = /^\s*/.exec(tag.slice(a.start))[0];
            out += (space || ' ') + attributeText(a.written, el.getAttribute(a.name));
        }
        at = a.end;
    }
    out += tag.slice(at, close);
    for (const a of el.attributes) {
        if (!seen.has(a.name))
            out += ' ' + attributeText(a.name, a.value);
    }
    out += tag.slice(close);
    const check = parsedAttributes(out);
    return check && sameKeys(check, attributeKeys(el)) ? newText(out) : null;
}

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

// The source between from and to as atoms: each character or reference of text with what it
// reads as, each comment whole. Null for markup other than comments (such gaps are not diffed).
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
            if (/[A-Za-z/]/.test(next))
                return null;
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

function atomMatches(atom, cells, at) {
    if (atom.comment !== undefined) {
        const n = cells[at];
        return typeof n === 'object' && n.nodeType === Node.COMMENT_NODE && n.data === atom.comment
                   ? 1 : 0;
    }
    const t = atom.text;
    if (at + t.length > cells.length)
        return 0;
    for (let i = 0; i < t.length; ++i) {
        if (cells[at + i] !== t[i])
            return 0;
    }
    return t.length;
}

function atomMatchesBefore(atom, cells, end, floor) {
    const length = atom.comment !== undefined ? 1 : atom.text.length;
    return end - length >= floor && atomMatches(atom, cells, end - length) ? length : 0;
}

function standardNode(node, parent) {
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
            for (let n; a < atoms.length && (n = atomMatches(atoms[a], cells, c)); ++a)
                c += n;
            let b = atoms.length, d = cells.length;
            for (let n; b > a && (n = atomMatchesBefore(atoms[b - 1], cells, d, c)); --b)
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

function emitElement(el, out, givenSpan) {
    const span = givenSpan || spanOf(el);
    if (forcedStandard.has(el)) {
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
            !(bodyTailActive() && el.contains(sourceMap.bodyTail.node))) {
            const text = out.parts.slice(out.firstPartAfter(mark)).join('');
            if (!reproduces(el.parentNode, text, ['e' + el.outerHTML]))
                throw new Fallback(el);
        }
    } catch (e) {
        if (!(e instanceof Fallback) || e.element !== el || el === document.documentElement)
            throw e;
        out.reset(mark);
        out.text(newText(standardElement(el)));
    }
}

function emitElementParts(el, span, out) {
    // html, head, body and tbody that the parser made up (no tag in the source) stay unwritten:
    // the parser makes them again.
    const implied = (!span || span.implied) && kImplied.has(el.tagName) && !el.attributes.length;
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

// Where an element that has no tags in the source (an implied tbody, say) stands there: from
// its first child to the next element after it (or its parent's end).
function impliedSpan(el, cursor, parentEnd) {
    if (!kImplied.has(el.tagName) || el.namespaceURI !== kHtmlNs || cursor < 0 ||
        spanOf(el) || sourceMap.index.has(el))
        return null;
    // Its source begins with its first child from the source; what stands before that child
    // is new.
    let start = cursor;
    for (let n = el.firstElementChild; n; n = n.nextElementSibling) {
        const s = spanOf(n);
        if (s) {
            start = s.start;
            break;
        }
    }
    let end = parentEnd;
    for (let n = el.nextSibling; n; n = n.nextSibling) {
        if (n.nodeType !== Node.ELEMENT_NODE)
            continue;
        const s = spanOf(n);
        end = s ? s.start : kImplied.has(n.tagName) ? firstSourceStart(n) : -1;
        break;
    }
    if (start < cursor || end < start)
        return null;
    return { k: -1, start: start, startTagEnd: start, endTagStart: -1, end: end, implied: true };
}

function emitChildren(el, span, out) {
    let cursor = span && span.startTagEnd >= 0 ? span.startTagEnd : -1;
    const end = span ? (span.endTagStart >= 0 ? span.endTagStart : span.end) : -1;
    let content = [], rewritten = false;
    for (const child of childNodesOf(el)) {
        const childSpan = child.nodeType !== Node.ELEMENT_NODE
                              ? null
                              : spanOf(child) || impliedSpan(child, cursor, end);
        // A child is an anchor when its source follows what was written so far.
        if (!childSpan || childSpan.start < cursor || (end >= 0 && childSpan.end > end)) {
            content.push(child);
            continue;
        }
        if (writeContent(el, content, cursor, childSpan.start, out, 0))
            rewritten = true;
        content = [];
        emitElement(child, out, childSpan);
        cursor = childSpan.end;
        if (child === document.body && bodyTailActive()) {
            out.text(sourceMap.bodyTail.inHtml);
            cursor = -1;
        }
    }
    const trim = bodyTailActive() && content.length &&
                 content[content.length - 1] === sourceMap.bodyTail.node
                     ? sourceMap.bodyTail.length : 0;
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
    }
}

function differenceAfterParse(text) {
    const parsed = new DOMParser().parseFromString(text, 'text/html');
    return firstDifference(document.documentElement, parsed.documentElement);
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
    const span = html && spanOf(html);
    if (!span || sourceMap.documentDirty)
        return null;
    const out = new SourceOutput();
    out.source(0, span.start);
    try {
        emitElement(html, out);
    } catch (e) {
        if (!(e instanceof Fallback))
            throw e;
        return null;
    }
    let text = out.join();
    // White space after </html> went into the body; it belongs here while the body's tail is
    // intact, and was written with the body otherwise.
    const after = span.endTagStart >= 0 ? sourceMap.source.slice(span.end) : '';
    if (/\S/.test(after) || bodyTailActive())
        text += after;
    return { text: text, lineEndsDone: true };
}

function sourceSerializeElement(el) {
    const out = new SourceOutput();
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

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
    moved: new WeakSet(), // nodes inserted, and the neighbours of nodes inserted or removed
    attributesDirty: new WeakSet(),
    documentDirty: false,
    crlf: false,
    merged: null,         // { start } when the page's html tag came after its content
    bodyTail: null,       // whitespace the parser moved from after </body> into the body
                          // (see noteBodyTail)
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
    findMergedTags();
    noteBodyTail();
});

// Where the page's first content stands: after the doctype, comments and white space, which
// the parser keeps (or drops) before it makes the html element.
function topLevelContentStart() {
    const src = sourceMap.source;
    const re = /\s+|<!--[\s\S]*?-->|<![^>]*>|<\?[^>]*>/y;
    let at = 0;
    for (let m; (re.lastIndex = at, m = re.exec(src)) && m[0].length;)
        at += m[0].length;
    return at;
}

// An html or body tag that comes after content the parser had already made the element for
// (text before <html>, head elements before <body>) only adds its attributes to it: the
// element has no span of its own, and is written as one the parser makes up, from where its
// content begins (sourceMap.merged), the tag itself staying in that content as written.
function findMergedTags() {
    const html = document.documentElement, body = document.body;
    const h = html && spanOf(html);
    if (!h)
        return;
    const start = topLevelContentStart();
    if (start >= h.start)
        return;
    sourceMap.merged = { start: start };
    sourceMap.index.delete(html);
    if (body && spanOf(body))
        sourceMap.index.delete(body);
}

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
        if (r.type === 'childList') {
            for (const n of r.addedNodes)
                sourceMap.moved.add(n);
            if (r.previousSibling)
                sourceMap.moved.add(r.previousSibling);
            if (r.nextSibling)
                sourceMap.moved.add(r.nextSibling);
        }
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
    sourceMap.bodyTail = { node: last, tail: tail, inHtml: inHtml };
}

// The text the parser appends white space after </body> to: the body's last text, inside the
// last elements that the source leaves open there.
function lastBodyText() {
    let last = document.body && document.body.lastChild;
    while (last && last.nodeType === Node.ELEMENT_NODE && !kNoTailInside.has(last.tagName))
        last = last.lastChild;
    return last && last.nodeType === Node.TEXT_NODE ? last : null;
}

// Per save: the text whose end is the white space of the source after </body> (null when the
// body's end changed), and whether that text was written whole inside the body (an element
// around it in the standard syntax), so that the white space does not go after </body> again.
let tailNode = null;
let tailInside = false;

function findBodyTail() {
    tailNode = null;
    tailInside = false;
    const tail = sourceMap.bodyTail;
    const last = tail && lastBodyText();
    if (!last || !last.data.endsWith(tail.tail))
        return;
    // A text of the body itself takes the white space back wherever it came from; a text
    // inside elements only while those stand as they were read (their end tags left out).
    if (last.parentNode === document.body || (last === tail.node && !sourceMap.dirty.has(last)))
        tailNode = last;
}

function noteTailWritten(node) {
    if (tailNode && (node === tailNode || node.contains(tailNode)))
        tailInside = true;
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
    return !!tailNode;
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
        this.parts = [];       // texts, and [from, to] ranges of the source
        this.floor = 0;        // parts before this one belong to a mark: never extended
        this.sourceEnd = 0;    // while the output is the source up to here; -1 once it is not
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
            if (p.end !== at && !(starting && closedBy(p.name, starting[1].toLowerCase()))) {
                this.parts.push(newText('</' + p.name + '>'));
                this.sourceEnd = -1;
            }
        }
        this.pending.length = 0;
        this.resolves.push(this.parts.length);
    }
    source(from, to) {
        if (to <= from)
            return;
        if (this.pending.length)
            this.resolve(from);
        this.sourceEnd = this.sourceEnd === from ? to : -1;
        // Ranges of the source that follow each other are one part (most of a page).
        const last = this.parts.length - 1;
        if (last >= this.floor && typeof this.parts[last] !== 'string' &&
            this.parts[last][1] === from &&
            this.resolves[this.resolves.length - 1] !== this.parts.length)
            this.parts[last] = [this.parts[last][0], to];
        else
            this.parts.push([from, to]);
    }
    text(text) {
        if (!text)
            return;
        if (this.pending.length)
            this.resolve(-1, text);
        this.parts.push(text);
        this.sourceEnd = -1;
    }
    endOmitted(el, end) {
        this.pending.push({ name: el.localName, end: end });
    }
    mark() {
        this.floor = this.parts.length;
        return { parts: this.parts.length, pending: this.pending.slice(),
                 sourceEnd: this.sourceEnd };
    }
    reset(mark) {
        this.parts.length = mark.parts;
        this.floor = mark.parts;
        this.sourceEnd = mark.sourceEnd;
        this.pending = mark.pending.slice();
        this.resolves = this.resolves.filter((r) => r <= mark.parts);
    }
    // The text of the parts from index first on.
    textFrom(first) {
        const src = sourceMap.source;
        return this.parts.slice(first).map((p) => (typeof p === 'string' ? p
                                                   : src.slice(p[0], p[1]))).join('');
    }
    join() {
        this.pending.length = 0; // the end of the page closes what is still open
        return this.textFrom(0);
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

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

// White space after </body> (before and after </html>) ends up at the end of the body; it is
// written back where it stood as long as that text is untouched.
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
    const last = body.lastChild;
    if (!tail || !last || last.nodeType !== Node.TEXT_NODE || !last.data.endsWith(tail))
        return;
    sourceMap.bodyTail = { node: last, length: tail.length, inHtml: inHtml };
}

function normaliseNewlines(text) {
    return text.replace(/\r\n?/g, '\n');
}

commentGlyphProviders.push((comment) => {
    const m = /^&#xE000;([sd])\d+&#xE001;$/i.exec(comment.data);
    return m ? (m[1].toLowerCase() === 's' ? '<%>' : '<DTC>') : '';
});

// ---- compiled once the page is editable ----

const kVoid = new Set(['AREA', 'BASE', 'BASEFONT', 'BGSOUND', 'BR', 'COL', 'EMBED', 'FRAME',
                       'HR', 'IMG', 'INPUT', 'KEYGEN', 'LINK', 'META', 'PARAM', 'SOURCE',
                       'TRACK', 'WBR']);
const kRawText = new Set(['SCRIPT', 'STYLE', 'XMP', 'IFRAME', 'NOEMBED', 'NOFRAMES', 'PLAINTEXT']);
const kImplied = new Set(['HTML', 'HEAD', 'BODY', 'TBODY']);

function newText(text) {
    return sourceMap.crlf ? text.replace(/\r?\n/g, '\r\n') : text;
}

function escapeText(text) {
    return text.replace(/&/g, '&amp;').replace(/\u00a0/g, '&nbsp;').replace(/</g, '&lt;')
        .replace(/>/g, '&gt;');
}

// A run holds the text and comment nodes between two elements as { node, type, data }; data
// may be shorter than the node's (the body's moved tail).
function standardItem(item, parent) {
    if (item.type === Node.TEXT_NODE)
        return newText(parent && kRawText.has(parent.tagName) ? item.data : escapeText(item.data));
    if (item.type === Node.COMMENT_NODE)
        return newText('<!--' + item.data + '-->');
    return '';
}

function standardStartTag(el) {
    const shallow = el.cloneNode(false).outerHTML;
    if (kVoid.has(el.tagName))
        return newText(shallow);
    const end = '</' + el.localName + '>';
    return newText(shallow.endsWith(end) ? shallow.slice(0, -end.length) : shallow);
}

const scratch = document.createElement('template');

// The source of the span, parsed on its own, gives exactly this element.
function spanReproduces(el, span) {
    let expected = span.k + 1;
    const walker = document.createTreeWalker(el, NodeFilter.SHOW_ELEMENT);
    for (let d = walker.nextNode(); d; d = walker.nextNode()) {
        if (sourceMap.index.get(d) !== expected)
            return false;
        ++expected;
    }
    const s = sourceMap.spans;
    if (4 * expected < s.length && s[4 * expected] < span.end)
        return false; // the span holds elements that now live elsewhere
    scratch.innerHTML = sourceMap.source.slice(span.start, span.end);
    const nodes = scratch.content.childNodes;
    const same = nodes.length === 1 && nodes[0].nodeType === Node.ELEMENT_NODE &&
                 nodes[0].outerHTML === el.outerHTML;
    scratch.innerHTML = '';
    return same;
}

// The text between two elements in the source, parsed, gives exactly these nodes.
function gapReproduces(gap, run, parent) {
    if (parent && kRawText.has(parent.tagName))
        return run.length === 1 && run[0].type === Node.TEXT_NODE &&
               normaliseNewlines(gap) === run[0].data;
    scratch.innerHTML = gap;
    const nodes = scratch.content.childNodes;
    let same = nodes.length === run.length;
    for (let i = 0; same && i < nodes.length; ++i)
        same = nodes[i].nodeType === run[i].type && nodes[i].data === run[i].data;
    scratch.innerHTML = '';
    return same;
}

function bodyTailActive() {
    const tail = sourceMap.bodyTail;
    return !!tail && tail.node.isConnected && tail.node.parentNode === document.body &&
           !sourceMap.dirty.has(tail.node);
}

function flushRun(run, from, to, out, parent) {
    if (parent === document.body && bodyTailActive() && run.length &&
        run[run.length - 1].node === sourceMap.bodyTail.node) {
        // Matched and written without the moved white space, which goes after </body>.
        const last = run[run.length - 1];
        last.data = last.data.slice(0, last.data.length - sourceMap.bodyTail.length);
        if (!last.data)
            run.pop();
    }
    if (!run.length) {
        if (parent === document.documentElement && from >= 0 && to > from) {
            const gap = sourceMap.source.slice(from, to);
            if (!/\S/.test(gap))
                out.push(gap); // white space the parser drops here (before <head>, say)
        }
        return;
    }
    if (from >= 0 && to >= from && run.every((item) => !sourceMap.dirty.has(item.node))) {
        const gap = sourceMap.source.slice(from, to);
        if (gapReproduces(gap, run, parent)) {
            out.push(gap);
            run.length = 0;
            return;
        }
    }
    for (const item of run)
        out.push(standardItem(item, parent));
    run.length = 0;
}

function emitElement(el, out) {
    const span = spanOf(el);
    if (span && span.end >= 0 && !sourceMap.dirty.has(el) && spanReproduces(el, span)) {
        out.push(sourceMap.source.slice(span.start, span.end));
        return;
    }
    // html, head, body and tbody that the parser made up (no tag in the source) stay unwritten:
    // the parser makes them again.
    const implied = !span && kImplied.has(el.tagName) && !el.attributes.length;
    if (span && span.startTagEnd >= 0 && !sourceMap.attributesDirty.has(el))
        out.push(sourceMap.source.slice(span.start, span.startTagEnd));
    else if (!implied)
        out.push(standardStartTag(el));
    if (kVoid.has(el.tagName))
        return;
    emitChildren(el, span, out);
    if (span && span.endTagStart >= 0)
        out.push(sourceMap.source.slice(span.endTagStart, span.end));
    else if (!implied)
        out.push(newText('</' + el.localName + '>'));
}

function emitChildren(el, span, out) {
    let cursor = span && span.startTagEnd >= 0 ? span.startTagEnd : -1;
    const run = [];
    const nodes = el.tagName === 'TEMPLATE' ? el.content.childNodes : el.childNodes;
    for (const child of nodes) {
        if (child.nodeType !== Node.ELEMENT_NODE) {
            if (child.nodeType === Node.TEXT_NODE || child.nodeType === Node.COMMENT_NODE)
                run.push({ node: child, type: child.nodeType, data: child.data });
            continue;
        }
        const childSpan = spanOf(child);
        flushRun(run, cursor, childSpan ? childSpan.start : -1, out, el);
        emitElement(child, out);
        cursor = childSpan && childSpan.end >= 0 ? childSpan.end : -1;
        if (child === document.body && bodyTailActive()) {
            out.push(sourceMap.bodyTail.inHtml);
            cursor = -1;
        }
    }
    const end = span ? (span.endTagStart >= 0 ? span.endTagStart : span.end) : -1;
    flushRun(run, cursor, end, out, el);
}

function sourceSerializeElement(el) {
    const out = [];
    emitElement(el, out);
    return out.join('');
}

function sourceSerializeDocument() {
    const html = document.documentElement;
    const span = html && spanOf(html);
    if (!span || sourceMap.documentDirty)
        return standardDocument();
    let text = sourceMap.source.slice(0, span.start) + sourceSerializeElement(html);
    // White space after </html> went into the body; it belongs here while the body's tail is
    // intact, and was written with the body otherwise.
    const after = span.endTagStart >= 0 ? sourceMap.source.slice(span.end) : '';
    if (/\S/.test(after) || bodyTailActive())
        text += after;
    return { text: text, lineEndsDone: true };
}

// The plain serialisers, kept for pages whose top level changed and for pages without a map.
const standardDocument = serializeDocument;
const standardElement = serializeElement;
serializeElement = (el) => (sourceMap.on ? sourceSerializeElement(el) : standardElement(el));
serializeDocument = () => (sourceMap.on ? sourceSerializeDocument() : standardDocument());

operations.sourceState = () => ({ ok: true, result: { sourceMap: sourceMap.on } });

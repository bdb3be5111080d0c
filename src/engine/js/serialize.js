// The page as HTML text: the doctype and comments outside <html> included, elements in the
// standard syntax (lower-case names, double-quoted values). Nothing of the engine is in the DOM
// (display aids live in adopted style sheets), so the markup is the page's own.

function doctypeText(doctype) {
    let text = '<!DOCTYPE ' + (doctype.name || 'html');
    if (doctype.publicId) {
        text += ' PUBLIC "' + doctype.publicId + '"';
        if (doctype.systemId)
            text += ' "' + doctype.systemId + '"';
    } else if (doctype.systemId) {
        text += ' SYSTEM "' + doctype.systemId + '"';
    }
    return text + '>';
}

// Serialisers of elements; the source-preserving filter replaces the default one.
let serializeElement = (el) => el.outerHTML;

function serializeDocument() {
    const parts = [];
    for (const node of document.childNodes) {
        switch (node.nodeType) {
        case Node.DOCUMENT_TYPE_NODE:
            parts.push(doctypeText(node));
            break;
        case Node.COMMENT_NODE:
            parts.push('<!--' + node.data + '-->');
            break;
        case Node.ELEMENT_NODE:
            parts.push(serializeElement(node));
            break;
        case Node.PROCESSING_INSTRUCTION_NODE:
            parts.push('<?' + node.target + ' ' + node.data + '>');
            break;
        }
    }
    return parts.join('\n') + '\n';
}

// ---- compiled once the page is editable ----

// With onlyIfModified, an unchanged page sends no text (the host writes the bytes it read).
operations.serialize = (request) => {
    journal.close();
    const modified = journal.isModified();
    const depth = journal.depth();
    const doc = modified || !request.onlyIfModified ? serializeDocument() : null;
    const html = doc === null || typeof doc === 'string' ? doc : doc.text;
    return { ok: true, result: { modified: modified, depth: depth, html: html,
                                 lineEndsDone: !!doc && typeof doc === 'object' && doc.lineEndsDone,
                                 charset: document.characterSet } };
};

operations.markSaved = (request) => {
    journal.markSaved(request.depth);
    return true;
};

// The page model the host uses: insertion of generated HTML, image names, body attributes and
// the title.

const pageModel = {
    images: null, // cached names, rebuilt when an img comes or goes or is renamed

    imageNames() {
        if (!this.images) {
            this.images = Array.prototype.map.call(document.getElementsByTagName('img'),
                                                   (img) => img.getAttribute('name') || '');
        }
        return this.images;
    },

    bodyAttributes() {
        const body = document.body;
        const out = {};
        for (const name of kBodyAttributes) {
            const value = body ? body.getAttribute(name) : null;
            out[name] = value === null ? '' : kColourAttributes.has(name) ? normaliseColour(value)
                                                                          : value;
        }
        return out;
    },
};

const kBodyAttributes = ['background', 'bgproperties', 'bgcolor', 'link', 'vlink', 'alink'];
const kColourAttributes = new Set(['bgcolor', 'link', 'vlink', 'alink']);

function touchesImages(node) {
    return node.nodeType === Node.ELEMENT_NODE &&
           (node.tagName === 'IMG' || node.getElementsByTagName('img').length > 0);
}

mutationListeners.push((records) => {
    if (!pageModel.images)
        return;
    for (const r of records) {
        if (r.type === 'attributes' && r.target.tagName === 'IMG' && r.attributeName === 'name') {
            pageModel.images = null;
            return;
        }
        if (r.type !== 'childList')
            continue;
        for (const n of r.addedNodes) {
            if (touchesImages(n)) {
                pageModel.images = null;
                return;
            }
        }
        for (const n of r.removedNodes) {
            if (touchesImages(n)) {
                pageModel.images = null;
                return;
            }
        }
    }
});

// Colours as "#rrggbb" when the value names one (legacy colour attributes accept names and
// hex without "#"), otherwise the text as written.
let colourProbe = null; // made on first use: a canvas context is not free at every page load
function normaliseColour(value) {
    const v = value.trim();
    if (/^#?[0-9a-fA-F]{6}$/.test(v))
        return '#' + v.replace('#', '').toLowerCase();
    if (!v)
        return value;
    if (!colourProbe)
        colourProbe = document.createElement('canvas').getContext('2d');
    if (!colourProbe)
        return value;
    colourProbe.fillStyle = '#010203';
    colourProbe.fillStyle = v;
    const parsed = colourProbe.fillStyle;
    if (parsed === '#010203' && v.toLowerCase() !== '#010203')
        return value;
    return /^#[0-9a-f]{6}$/.test(parsed) ? parsed : value;
}

// ---- compiled once the page is editable ----

// Inserts markup exactly as given (insertHTML would restyle and sanitise it) and leaves the
// caret after it.
function insertFragmentAt(range, html) {
    range.deleteContents();
    let container = range.startContainer;
    const context = elementOf(container) || document.body;
    const scratch = document.createRange();
    scratch.selectNodeContents(context);
    const fragment = scratch.createContextualFragment(html);
    const last = fragment.lastChild;
    if (container.nodeType === Node.TEXT_NODE) {
        const tail = container.splitText(range.startOffset);
        tail.parentNode.insertBefore(fragment, tail);
        if (!tail.data.length)
            tail.remove();
        if (!container.data.length)
            container.remove();
    } else {
        container.insertBefore(fragment, container.childNodes[range.startOffset] || null);
    }
    const selection = document.getSelection();
    if (last && last.parentNode) {
        const after = document.createRange();
        after.setStartAfter(last);
        after.collapse(true);
        selection.removeAllRanges();
        selection.addRange(after);
    }
}

operations.insertHtml = (request) => {
    if (selectionType() !== kSelText)
        return false;
    const range = selectionRange();
    return journal.operation(() => {
        insertFragmentAt(range, String(request.html));
        return true;
    });
};

const kWhere = { beforebegin: 'beforebegin', afterbegin: 'afterbegin', beforeend: 'beforeend',
                 afterend: 'afterend' };

operations.insertAdjacent = (request) => {
    const where = kWhere[String(request.where).toLowerCase()];
    const range = selectionRange();
    if (!where || !range || selectionType() !== kSelText)
        return false;
    const el = elementOf(range.commonAncestorContainer);
    if (!el || !inBody(el))
        return false;
    if (el === document.body && (where === 'beforebegin' || where === 'afterend'))
        return false;
    return journal.operation(() => {
        el.insertAdjacentHTML(where, String(request.html));
        return true;
    });
};

operations.setBody = (request) => {
    const body = document.body;
    const name = String(request.name).toLowerCase();
    if (!body || !kBodyAttributes.includes(name))
        return false;
    let value = request.value;
    if (kColourAttributes.has(name) && typeof value === 'number') {
        // 0xRRGGBB, blue in the low byte; -1 ("automatic") removes the attribute.
        value = value < 0 ? '' : '#' + (value & 0xffffff).toString(16).padStart(6, '0');
    }
    value = value === null || value === undefined ? '' : String(value);
    return journal.operation(() => {
        // An empty background would resolve to the page itself; empty means "none" here.
        if (value === '')
            body.removeAttribute(name);
        else if (body.getAttribute(name) !== value)
            body.setAttribute(name, value);
        return true;
    });
};

operations.setTitle = (request) => {
    const title = String(request.title);
    if (document.title === title && document.querySelector('title'))
        return true;
    return journal.operation(() => {
        let element = document.querySelector('title');
        if (!element) {
            const head = document.head;
            if (!head)
                return false;
            element = document.createElement('title');
            head.insertBefore(element, head.firstChild);
        }
        element.textContent = title;
        return true;
    });
};

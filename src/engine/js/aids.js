// On-screen aids: the frame around an object selection (and, later, border outlines and tag
// glyphs). They are adopted style sheets inside @media screen, so nothing of them is in the
// DOM, in a saved page or on paper.

const aids = {
    frameSheet: null, // the sheets, made when they first get rules
    sheets: [],
    frameFor: null,
};

// Sheets are adopted when they first get rules: every change of adoptedStyleSheets restyles the
// document, which a page that never shows an aid need not pay for at load.
function installSheet(sheet) {
    if (aids.sheets.includes(sheet))
        return;
    aids.sheets.push(sheet);
    const existing = document.adoptedStyleSheets.filter((s) => !aids.sheets.includes(s));
    document.adoptedStyleSheets = existing.concat(aids.sheets);
}

function setSheet(name, text) {
    let sheet = aids[name];
    if (!sheet) {
        if (!text)
            return;
        sheet = aids[name] = new CSSStyleSheet();
    }
    sheet.replaceSync(text);
    installSheet(sheet);
}

// A selector that matches exactly this element, by position from the root.
function structuralSelector(el) {
    const parts = [];
    for (let e = el; e && e !== document.documentElement; e = e.parentElement) {
        let index = 1;
        for (let s = e.previousElementSibling; s; s = s.previousElementSibling)
            ++index;
        parts.unshift('*:nth-child(' + index + ')');
    }
    parts.unshift(':root');
    return parts.join(' > ');
}

// Extra frame styles (positioned elements get handles) come from later files.
const frameStyleProviders = [];

function updateFrame() {
    const el = control.element;
    if (!el || !el.isConnected) {
        if (aids.frameFor !== null) {
            setSheet('frameSheet', '');
            aids.frameFor = null;
        }
        return;
    }
    let style = 'outline: 2px solid #316ac5 !important; outline-offset: 1px !important;';
    for (const provide of frameStyleProviders)
        style += provide(el) || '';
    const selector = structuralSelector(el);
    const text = '@media screen { ' + selector + ' { ' + style + ' } }';
    if (aids.frameFor !== text) {
        setSheet('frameSheet', text);
        aids.frameFor = text;
    }
}

controlListeners.push(updateFrame);
mutationListeners.push(() => {
    if (control.element)
        updateFrame();
});

// 55, show borders: dotted outlines for tables and cells drawn without a border, positioned
// boxes, named anchors and forms.
const kBorderRules = `@media screen {
table:not([border]), table[border="0"] { outline: 1px dotted #808080; }
table:not([border]) > * > tr > td, table:not([border]) > * > tr > th,
table:not([border]) > tr > td, table:not([border]) > tr > th,
table[border="0"] > * > tr > td, table[border="0"] > * > tr > th,
table[border="0"] > tr > td, table[border="0"] > tr > th {
    outline: 1px dotted #a0a0a0; outline-offset: -1px; }
[style*="position:absolute" i], [style*="position: absolute" i] { outline: 1px dashed #808080; }
a[name]:not([href]) { outline: 1px dotted #0000c0; }
a[name]:not([href])::before { content: "\\2693"; font: 10px/1 sans-serif; color: #0000c0; }
form { outline: 1px dashed #c00000; outline-offset: 1px; }
}`;

// 56, show details: a glyph for the start and end of each element and for each comment. Table
// structure and void elements get none (a pseudo-element there would break the table layout or
// has no box to live in).
const kGlyph = 'font: normal normal 9px/1 sans-serif; color: #404040; background: #ffffc0;' +
               'border: 1px solid #a0a0a0; padding: 0 1px; margin: 0 1px; white-space: pre;' +
               'text-decoration: none; text-transform: none; letter-spacing: 0;' +
               'display: inline; vertical-align: baseline;';
const kGlyphTags = ['a', 'abbr', 'address', 'b', 'big', 'blockquote', 'center', 'cite', 'code',
                    'dd', 'del', 'dfn', 'div', 'dl', 'dt', 'em', 'font', 'form', 'h1', 'h2', 'h3',
                    'h4', 'h5', 'h6', 'i', 'ins', 'kbd', 'label', 'li', 'ol', 'p', 'pre', 'q', 's',
                    'samp', 'small', 'span', 'strike', 'strong', 'sub', 'sup', 'td', 'th', 'tt',
                    'u', 'ul', 'var', 'caption', 'fieldset', 'legend', 'nobr', 'marquee'];
const kGlyphTagSet = new Set(kGlyphTags.map((t) => t.toUpperCase()));

function detailRules() {
    let rules = '';
    for (const tag of kGlyphTags) {
        rules += tag + '::before { content: "<' + tag + '>"; ' + kGlyph + ' }\n';
        rules += tag + '::after { content: "</' + tag + '>"; ' + kGlyph + ' }\n';
    }
    return rules;
}

function cssString(text) {
    return '"' + text.replace(/[\\"]/g, '\\$&').replace(/\n/g, '\\a ') + '"';
}

// Comments have no box: each one is shown in the ::before of the element that follows it (with
// that element's own glyph), or else in the ::after of its parent.
function commentRules() {
    const body = document.body;
    if (!body)
        return '';
    const before = new Map(), after = new Map();
    const walker = document.createTreeWalker(body, NodeFilter.SHOW_COMMENT);
    for (let c = walker.nextNode(); c; c = walker.nextNode()) {
        const glyph = commentGlyph(c);
        let next = c.nextSibling;
        while (next && !isElement(next))
            next = next.nextSibling;
        if (next && kGlyphTagSet.has(next.tagName)) {
            before.set(next, (before.get(next) || '') + glyph);
        } else if (c.parentElement && (kGlyphTagSet.has(c.parentElement.tagName) ||
                                       c.parentElement === body)) {
            after.set(c.parentElement, (after.get(c.parentElement) || '') + glyph);
        }
    }
    let rules = '';
    for (const [el, glyphs] of before) {
        const own = '<' + el.tagName.toLowerCase() + '>';
        rules += structuralSelector(el) + '::before { content: ' + cssString(glyphs + ' ' + own) +
                 '; ' + kGlyph + ' }\n';
    }
    for (const [el, glyphs] of after) {
        const own = el === body ? '' : ' </' + el.tagName.toLowerCase() + '>';
        rules += structuralSelector(el) + '::after { content: ' + cssString(glyphs + own) + '; ' +
                 kGlyph + ' }\n';
    }
    return rules;
}

// Later files name special comments (kept server script, for one).
const commentGlyphProviders = [];
function commentGlyph(comment) {
    for (const provide of commentGlyphProviders) {
        const glyph = provide(comment);
        if (glyph)
            return glyph;
    }
    return '<!-->';
}

aids.bordersSheet = null;
aids.detailsSheet = null;
aids.commentsSheet = null;
aids.showBorders = false;
aids.showDetails = false;
aids.commentsStale = false;

function applyAids() {
    setSheet('bordersSheet', aids.showBorders ? kBorderRules : '');
    setSheet('detailsSheet', aids.showDetails ? '@media screen {\n' + detailRules() + '}' : '');
    refreshCommentGlyphs();
}

function refreshCommentGlyphs() {
    aids.commentsStale = false;
    setSheet('commentsSheet', aids.showDetails ? '@media screen {\n' + commentRules() + '}'
                                                  : '');
}

readyHooks.push((options) => {
    aids.showBorders = !!options.showBorders;
    aids.showDetails = !!options.showDetails;
    applyAids();
});

// Comment glyphs hang on structural selectors, which moves of nodes invalidate: rebuilt once per
// batch of structural changes while the details are shown.
mutationListeners.push((records) => {
    if (!aids.showDetails || aids.commentsStale)
        return;
    if (records.some((r) => r.type === 'childList')) {
        aids.commentsStale = true;
        Promise.resolve().then(refreshCommentGlyphs);
    }
});

flagProviders.push((set) => {
    set(55, F_ENABLED | (aids.showBorders ? F_LATCHED : 0));
    set(56, F_ENABLED | (aids.showDetails ? F_LATCHED : 0));
});

// ---- compiled once the page is editable ----

commandHandlers[55] = (input) => {
    aids.showBorders = !!input;
    applyAids();
    return true;
};

commandHandlers[56] = (input) => {
    aids.showDetails = !!input;
    applyAids();
    return true;
};

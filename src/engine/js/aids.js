// On-screen aids: the frame around an object selection (and, later, border outlines and tag
// glyphs). They are adopted style sheets inside @media screen, so nothing of them is in the
// DOM, in a saved page or on paper.

const aids = {
    frameSheet: new CSSStyleSheet(),
    sheets: [],
    frameFor: null,
};

function installSheet(sheet) {
    aids.sheets.push(sheet);
    const existing = document.adoptedStyleSheets.filter((s) => !aids.sheets.includes(s));
    document.adoptedStyleSheets = existing.concat(aids.sheets);
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
            aids.frameSheet.replaceSync('');
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
        aids.frameSheet.replaceSync(text);
        aids.frameFor = text;
    }
}

readyHooks.push(() => installSheet(aids.frameSheet));
controlListeners.push(updateFrame);
mutationListeners.push(() => {
    if (control.element)
        updateFrame();
});

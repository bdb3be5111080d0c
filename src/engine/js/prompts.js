// The commands that prompt the user (the host shows the dialog): what they do with the values
// given, font (35), hyperlink (40) and image (41).

function linkAround(range) {
    if (!range)
        return null;
    const at = control.element || range.commonAncestorContainer;
    return closestElement(at, (el) => el.tagName === 'A' && el.hasAttribute('href'),
                          document.body);
}

flagProviders.push((set, sel, range, state) => {
    set(35, sel === kSelText ? F_ENABLED : 0);
    set(40, sel !== kSelNone ? F_ENABLED : 0);
    set(41, sel === kSelText ? F_ENABLED : 0);
    const link = sel !== kSelNone ? linkAround(range) : null;
    state.link = link ? link.getAttribute('href') : '';
});

// ---- compiled once the page is editable ----

// 35: face, size, bold, italic, underline and colour in one step; missing values stay.
commandHandlers[35] = (input) => {
    const o = input || {};
    if (selectionType() !== kSelText)
        return false;
    return journal.operation(() => {
        if (o.face)
            document.execCommand('fontName', false, String(o.face));
        const size = parseInt(o.size, 10);
        if (size >= 1 && size <= 7)
            document.execCommand('fontSize', false, String(size));
        const toggles = [['bold', 'bold', isBold], ['italic', 'italic', isItalic],
                         ['underline', 'underline', isUnderlined]];
        for (const [key, command, test] of toggles) {
            if (!(key in o))
                continue;
            const range = selectionRange();
            const nodes = textNodesIn(range, kSampleLimit);
            const all = characterFlags(range, nodes, test, command) === F_LATCHED;
            if (!!o[key] !== all) {
                // Mixed text goes all on with one toggle; switching off needs it all on first.
                document.execCommand(command, false, null);
                const again = characterFlags(selectionRange(), textNodesIn(selectionRange(),
                                             kSampleLimit), test, command) === F_LATCHED;
                if (again !== !!o[key])
                    document.execCommand(command, false, null);
            }
        }
        if ('color' in o && Number.isInteger(Number(o.color))) {
            const colour = Number(o.color);
            if (colour < 0)
                removeForeColour();
            else
                document.execCommand('foreColor', false, intToCss(colour & 0xffffff));
        }
        return true;
    });
};

// 40: the link around the selection gets the address (none removes it); otherwise the
// selection, or the selected object, becomes a link; at a caret the address itself is inserted
// as the link text.
commandHandlers[40] = (input) => {
    const href = String(input === null || input === undefined ? '' : input).trim();
    const range = selectionRange();
    const sel = selectionType();
    if (!range || sel === kSelNone)
        return false;
    const link = linkAround(range);
    if (!link && !href)
        return false;
    return journal.operation(() => {
        if (link) {
            if (href)
                link.setAttribute('href', href);
            else
                unwrap(link);
            return true;
        }
        if (sel === kSelControl) {
            const el = control.element;
            const a = document.createElement('a');
            a.setAttribute('href', href);
            el.parentNode.insertBefore(a, el);
            a.appendChild(el);
            selectControl(el);
            return true;
        }
        if (range.collapsed) {
            const a = document.createElement('a');
            a.setAttribute('href', href);
            a.textContent = href;
            range.insertNode(a);
            const after = document.createRange();
            after.setStartAfter(a);
            document.getSelection().removeAllRanges();
            document.getSelection().addRange(after);
            return true;
        }
        return document.execCommand('createLink', false, href);
    });
};

// 41: an image with the given source (and alternate text) replaces the selection.
commandHandlers[41] = (input) => {
    const o = typeof input === 'object' && input !== null ? input : { src: input };
    const src = String(o.src === undefined || o.src === null ? '' : o.src).trim();
    const range = selectionRange();
    if (!src || !range || selectionType() !== kSelText)
        return false;
    return journal.operation(() => {
        const img = document.createElement('img');
        img.setAttribute('src', src);
        if (o.alt)
            img.setAttribute('alt', String(o.alt));
        range.deleteContents();
        range.insertNode(img);
        const after = document.createRange();
        after.setStartAfter(img);
        document.getSelection().removeAllRanges();
        document.getSelection().addRange(after);
        return true;
    });
};

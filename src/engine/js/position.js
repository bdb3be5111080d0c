// Absolute positioning (commands 2-12): make absolute or static (4), move by a point (2), the
// alignment grid (3) and constrained dragging (12), lock (5), z-order among the positioned
// siblings (6-9) and below or above the text (10, 11). Every change is one undo step.

const positioning = {
    gridX: 0,
    gridY: 0,
    constrain: false,
    locked: new WeakSet(), // the engine's own state: a lock is not written into the page
    addedWidth: new WeakSet(),
    drag: null,
    textDrag: null, // the text range being dragged out of a box
};

function isAbsolute(el) {
    return isElement(el) && el !== document.body && el !== document.documentElement &&
           inBody(el) && getComputedStyle(el).position === 'absolute';
}

function isPositioned(el) {
    return isElement(el) && getComputedStyle(el).position !== 'static';
}

// The positioned element the commands act on: the selected object, or the one around the caret.
function positionTarget() {
    if (control.element)
        return isAbsolute(control.element) ? control.element : null;
    const r = selectionRange();
    return r && inBody(r.startContainer) ? closestElement(r.startContainer, isAbsolute, document.body)
                                         : null;
}

// What "make absolute" works on: the selected object, or the block around the caret.
function absoluteCandidate() {
    if (control.element)
        return control.element;
    const r = selectionRange();
    if (!r || !inBody(r.startContainer))
        return null;
    const positioned = closestElement(r.startContainer, isAbsolute, document.body);
    if (positioned)
        return positioned;
    return closestElement(r.startContainer, (el) => {
        const display = getComputedStyle(el).display;
        return display !== 'inline' && display !== 'contents' && el.tagName !== 'TD' &&
               el.tagName !== 'TH' && el.tagName !== 'TR' && el.tagName !== 'LI';
    }, document.body);
}

function nearBorder(el, e) {
    const r = el.getBoundingClientRect();
    const m = 5;
    const inside = e.clientX >= r.left - m && e.clientX <= r.right + m && e.clientY >= r.top - m &&
                   e.clientY <= r.bottom + m;
    return inside && (e.clientX - r.left < m || r.right - e.clientX < m || e.clientY - r.top < m ||
                      r.bottom - e.clientY < m);
}

// A click on a positioned element selects it as an object; once selected, a click inside edits
// its text, and the border (where the handles are) still drags it.
controlPredicates.push((el, e) => isAbsolute(el) && (el !== control.element || !e ||
                                                     nearBorder(el, e)));

function containingBlockOrigin(el) {
    for (let p = el.parentElement; p && p !== document.documentElement; p = p.parentElement) {
        if (p !== document.body && getComputedStyle(p).position !== 'static') {
            const r = p.getBoundingClientRect();
            return { x: r.left + p.clientLeft - p.scrollLeft, y: r.top + p.clientTop - p.scrollTop };
        }
    }
    return { x: -window.scrollX, y: -window.scrollY };
}

function setPx(el, property, value) {
    el.style.setProperty(property, Math.round(value) + 'px');
}

function currentOffset(el) {
    const style = getComputedStyle(el);
    return { left: parseFloat(style.left) || 0, top: parseFloat(style.top) || 0 };
}

function snap(value, grid) {
    return grid > 0 ? Math.round(value / grid) * grid : value;
}

// The grid and constrain settings outlive a reload (the host keeps them).
readyHooks.push((options) => {
    positioning.gridX = Math.max(0, options.gridX | 0);
    positioning.gridY = Math.max(0, options.gridY | 0);
    positioning.constrain = !!options.constrain;
});

flagProviders.push((set, sel) => {
    const candidate = sel !== kSelNone ? absoluteCandidate() : null;
    set(4, candidate ? F_ENABLED | (isAbsolute(candidate) ? F_LATCHED : 0) : 0);
    const target = sel !== kSelNone ? positionTarget() : null;
    const locked = !!target && positioning.locked.has(target);
    set(2, target && !locked ? F_ENABLED : 0);
    set(5, target ? F_ENABLED | (locked ? F_LATCHED : 0) : 0);
    for (const id of [6, 7, 8, 9, 10, 11])
        set(id, target ? F_ENABLED : 0);
    set(3, F_ENABLED);
    set(12, F_ENABLED | (positioning.constrain ? F_LATCHED : 0));
});

// Dragging: from a mouse press that selected a positioned element (or grabbed its border) to
// the release, one undo step. The position snaps to the grid; with constrain on, it moves along
// the axis of the larger movement only.
controlMouseDownHooks.push((el, e) => {
    if (!isAbsolute(el))
        return;
    const at = currentOffset(el);
    positioning.drag = { el: el, x: e.clientX, y: e.clientY, left: at.left, top: at.top,
                         moved: false };
});

document.addEventListener('mousemove', (e) => {
    const drag = positioning.drag;
    if (!drag)
        return;
    if (!(e.buttons & 1)) {
        endDrag();
        return;
    }
    let dx = e.clientX - drag.x, dy = e.clientY - drag.y;
    if (!drag.moved && Math.abs(dx) < 3 && Math.abs(dy) < 3)
        return;
    e.preventDefault();
    if (positioning.locked.has(drag.el))
        return;
    if (!drag.moved) {
        drag.moved = true;
        journal.begin('drag', false);
    }
    let left = drag.left + dx, top = drag.top + dy;
    if (positioning.constrain) {
        if (Math.abs(dx) >= Math.abs(dy))
            top = drag.top;
        else
            left = drag.left;
    }
    if (!positioning.constrain || left !== drag.left)
        left = snap(left, positioning.gridX);
    if (!positioning.constrain || top !== drag.top)
        top = snap(top, positioning.gridY);
    setPx(drag.el, 'left', left);
    setPx(drag.el, 'top', top);
}, true);

function endDrag() {
    const drag = positioning.drag;
    positioning.drag = null;
    if (drag && drag.moved) {
        journal.close();
        if (drag.el.isConnected)
            selectControl(drag.el);
    }
}

document.addEventListener('mouseup', endDrag, true);

// Handles around a selected positioned element: eight small squares drawn as background
// layers of the frame rule (a locked one gets a dashed grey frame instead).
frameStyleProviders.push((el) => {
    if (!isAbsolute(el))
        return '';
    if (positioning.locked.has(el))
        return 'outline: 2px dashed #808080 !important;';
    const square = 'linear-gradient(#316ac5, #316ac5)';
    return 'background-image: ' + Array(8).fill(square).join(', ') + ' !important;' +
           'background-size: 7px 7px !important; background-repeat: no-repeat !important;' +
           'background-origin: border-box !important;' +
           'background-position: 0 0, 50% 0, 100% 0, 0 50%, 100% 50%, 0 100%, 50% 100%, ' +
           '100% 100% !important;';
});

// ---- compiled once the page is editable ----

function removeStyle(el, properties) {
    for (const p of properties)
        el.style.removeProperty(p);
    if (!el.getAttribute('style'))
        el.removeAttribute('style');
}

// 4: absolute where it stands (same place, same width), or static again.
function toggleAbsolute() {
    const el = absoluteCandidate();
    if (!el)
        return false;
    return journal.operation(() => {
        if (isAbsolute(el)) {
            const properties = ['position', 'left', 'top', 'z-index'];
            if (positioning.addedWidth.has(el))
                properties.push('width');
            removeStyle(el, properties);
            positioning.addedWidth.delete(el);
            return true;
        }
        const rect = el.getBoundingClientRect();
        const style = getComputedStyle(el);
        const origin = containingBlockOrigin(el);
        const left = rect.left - origin.x - parseFloat(style.marginLeft || 0);
        const top = rect.top - origin.y - parseFloat(style.marginTop || 0);
        const replaced = /^(IMG|INPUT|SELECT|TEXTAREA|BUTTON|OBJECT|EMBED|APPLET|IFRAME|VIDEO)$/
                             .test(el.tagName);
        if (!replaced && !el.style.width) {
            el.style.setProperty('width', Math.round(parseFloat(style.width)) + 'px');
            positioning.addedWidth.add(el);
        }
        el.style.setProperty('position', 'absolute');
        setPx(el, 'left', left);
        setPx(el, 'top', top);
        if (control.element === el)
            controlChanged();
        return true;
    });
}

// 2: moves by (x, y) pixels.
function nudge(input) {
    const el = positionTarget();
    const dx = Math.round(Number(input && input.x)), dy = Math.round(Number(input && input.y));
    if (!el || positioning.locked.has(el) || !Number.isFinite(dx) || !Number.isFinite(dy))
        return false;
    const at = currentOffset(el);
    return journal.operation(() => {
        setPx(el, 'left', at.left + dx);
        setPx(el, 'top', at.top + dy);
        return true;
    });
}

// 5: lock or unlock; a locked element keeps its place.
function toggleLock() {
    const el = positionTarget();
    if (!el)
        return false;
    const wasLocked = positioning.locked.has(el);
    const lock = () => positioning.locked.add(el);
    const unlock = () => positioning.locked.delete(el);
    journal.operation(() => {
        if (wasLocked)
            journal.custom(unlock, lock);
        else
            journal.custom(lock, unlock);
    });
    controlChanged();
    return true;
}

function zIndexOf(el) {
    const z = getComputedStyle(el).zIndex;
    return z === 'auto' ? 0 : parseInt(z, 10) || 0;
}

// The positioned siblings of el in one layer (below the text: negative z-index; above: the
// rest), back to front.
function layerOf(el, below) {
    const siblings = Array.prototype.filter.call(el.parentElement.children, (s) =>
        isPositioned(s) && (zIndexOf(s) < 0) === below);
    return siblings
        .map((s, i) => ({ el: s, z: zIndexOf(s), i: i }))
        .sort((a, b) => a.z - b.z || a.i - b.i)
        .map((e) => e.el);
}

// Writes z-indexes that give the layer its order: 1..n above the text, -n..-1 below it. Only
// elements whose value changes are touched.
function renumber(layer, below) {
    layer.forEach((el, i) => {
        const z = below ? i - layer.length : i + 1;
        if (el.style.zIndex !== String(z))
            el.style.setProperty('z-index', String(z));
    });
}

function reorder(how) {
    const el = positionTarget();
    if (!el)
        return false;
    return journal.operation(() => {
        const below = zIndexOf(el) < 0;
        let layer = layerOf(el, below);
        const at = layer.indexOf(el);
        switch (how) {
        case 'back':
            layer.splice(at, 1);
            layer.unshift(el);
            break;
        case 'front':
            layer.splice(at, 1);
            layer.push(el);
            break;
        case 'backward':
            if (at > 0)
                [layer[at - 1], layer[at]] = [layer[at], layer[at - 1]];
            break;
        case 'forward':
            if (at < layer.length - 1)
                [layer[at + 1], layer[at]] = [layer[at], layer[at + 1]];
            break;
        case 'belowText':
        case 'aboveText': {
            const toBelow = how === 'belowText';
            if (toBelow !== below) {
                layer.splice(at, 1);
                renumber(layer, below);
                const other = layerOf(el, toBelow).filter((s) => s !== el);
                // Next to the text: the top of the layer below it, the bottom of the one above.
                if (toBelow)
                    other.push(el);
                else
                    other.unshift(el);
                layer = other;
            }
            renumber(layer, toBelow);
            return true;
        }
        }
        renumber(layer, below);
        return true;
    });
}

commandHandlers[4] = toggleAbsolute;
commandHandlers[2] = nudge;
commandHandlers[3] = (input) => {
    const x = Math.round(Number(input && input.x)), y = Math.round(Number(input && input.y));
    if (!Number.isFinite(x) || !Number.isFinite(y) || x < 0 || y < 0)
        return false;
    positioning.gridX = x;
    positioning.gridY = y;
    return true;
};
commandHandlers[12] = (input) => {
    positioning.constrain = !!input;
    return true;
};
commandHandlers[5] = toggleLock;
commandHandlers[6] = () => reorder('back');
commandHandlers[7] = () => reorder('front');
commandHandlers[8] = () => reorder('backward');
commandHandlers[9] = () => reorder('forward');
commandHandlers[10] = () => reorder('belowText');
commandHandlers[11] = () => reorder('aboveText');

// Text dragged out of (or within) a positioned box. The browser's own move deletes the text
// first, which takes the emptied box with it, and records two steps; here the text is moved as
// one step and the box stays where it is (an emptied box keeps a line so that it can still be
// seen and clicked).
function boxAround(node) {
    return closestElement(node, isAbsolute, document.body);
}

// A press inside a selected box (not on its frame) is for its text: the caret goes where the
// press is, so that the browser does not take the press for the start of dragging the selected
// box away.
document.addEventListener('mousedown', (e) => {
    const el = control.element;
    if (e.button !== 0 || e.defaultPrevented || !el || !isAbsolute(el) || nearBorder(el, e) ||
        !el.contains(e.target))
        return;
    const at = document.caretRangeFromPoint(e.clientX, e.clientY);
    if (!at || !el.contains(at.startContainer))
        return;
    const selection = document.getSelection();
    selection.removeAllRanges();
    selection.addRange(at);
    control.element = null;
    controlChanged();
    schedulePush();
}, true);

function selectionHoldsBox(r) {
    if (control.element && isAbsolute(control.element))
        return true;
    const common = elementOf(r.commonAncestorContainer);
    if (!common)
        return false;
    for (const box of common.querySelectorAll('*')) {
        if (r.intersectsNode(box) && isAbsolute(box) && r.comparePoint(box, 0) === 0 &&
            r.comparePoint(box, box.childNodes.length) === 0)
            return true;
    }
    return false;
}

document.addEventListener('dragstart', (e) => {
    positioning.textDrag = null;
    if (!engine.ready)
        return;
    const r = selectionRange();
    // A box moves only by its frame; it is never carried off as part of a dragged selection.
    if (r && !r.collapsed && selectionHoldsBox(r)) {
        e.preventDefault();
        return;
    }
    if (!r || r.collapsed || !inBody(r.startContainer) || !inBody(r.endContainer))
        return;
    if (!boxAround(r.startContainer) && !boxAround(r.endContainer))
        return;
    positioning.textDrag = r.cloneRange();
}, true);

document.addEventListener('dragend', () => {
    positioning.textDrag = null;
}, true);

document.addEventListener('drop', (e) => {
    const source = positioning.textDrag;
    positioning.textDrag = null;
    if (!source)
        return;
    e.preventDefault();
    e.stopImmediatePropagation();
    const target = document.caretRangeFromPoint(e.clientX, e.clientY);
    if (!target || !inBody(target.startContainer) ||
        source.comparePoint(target.startContainer, target.startOffset) === 0)
        return; // dropped onto the dragged text itself: nothing moves
    const copy = !!e.dataTransfer && e.dataTransfer.dropEffect === 'copy';
    const boxes = [boxAround(source.startContainer), boxAround(source.endContainer)];
    journal.operation(() => {
        const fragment = copy ? source.cloneContents() : source.extractContents();
        const first = fragment.firstChild, last = fragment.lastChild;
        target.insertNode(fragment);
        for (const box of boxes) {
            if (box && box.isConnected && !box.textContent.trim() &&
                !box.querySelector('img, br, hr, input, table, object, embed, iframe'))
                box.appendChild(document.createElement('br'));
        }
        if (first && last && first.isConnected && last.isConnected) {
            const moved = document.createRange();
            moved.setStartBefore(first);
            moved.setEndAfter(last);
            const selection = document.getSelection();
            selection.removeAllRanges();
            selection.addRange(moved);
        }
        return true;
    });
    schedulePush();
}, true);

// The engine's own undo history. Chromium's native undo cannot be used once the engine edits
// the DOM itself (its stack does not see script changes, and mixing the two corrupts the page),
// so every change is recorded from MutationObserver records and reverted from them: a record
// holds enough to undo itself (old values, removed nodes and their place), and reverting a
// transaction yields the records of its inverse, which become the redo step.
//
// A transaction is one user action: one engine operation, or a burst of typing / deleting
// that continues where the last one left off.

const journal = {
    observer: null,
    undoStack: [],
    redoStack: [],
    open: null,        // { kind, records, selBefore } collecting records
    savedDepth: 0,     // undoStack length at the last load or save; -1: unreachable
    reverting: false,
    caretAfterInput: null, // where typing left the caret, to tell continuation from a move

    start() {
        this.observer = new MutationObserver(timed((records) => this.absorb(records)));
        this.observe();
    },

    observe() {
        this.observer.observe(document, {
            subtree: true, childList: true, attributes: true, attributeOldValue: true,
            characterData: true, characterDataOldValue: true,
        });
    },

    // Runs fn with the observer off (what it changes goes unrecorded) and returns its result.
    // The caller records the change some other way, as one structural step: a large pass that
    // recorded thousands of records would spend longer on them than on its work, and as long
    // again undoing them one by one.
    unobserved(fn) {
        this.flush();
        this.observer.disconnect();
        try {
            return fn();
        } finally {
            this.observe();
        }
    },

    absorb(records) {
        if (!records.length || this.reverting)
            return;
        if (!this.open)
            this.open = { kind: 'other', records: [], selBefore: null };
        for (const r of records)
            this.open.records.push(r);
        noteMutations(records);
        schedulePush();
    },

    flush() {
        if (this.observer)
            this.absorb(this.observer.takeRecords());
    },

    // Closes the open transaction; it becomes an undo step when it changed anything.
    close() {
        this.flush();
        const t = this.open;
        this.open = null;
        if (!t || !t.records.length)
            return;
        t.selAfter = saveSelection();
        this.undoStack.push(t);
        this.redoStack.length = 0;
        if (this.savedDepth > this.undoStack.length - 1)
            this.savedDepth = -1; // the saved state was in the redo branch just dropped
    },

    // Starts a transaction of the given kind; typing and deleting merge with the previous
    // burst of the same kind when the caret did not move in between.
    begin(kind, mergeable) {
        this.flush();
        if (this.open && mergeable && this.open.kind === kind)
            return;
        this.close();
        this.open = { kind: kind, records: [], selBefore: saveSelection() };
    },

    // Runs fn as one undo step.
    operation(fn) {
        this.begin('operation', false);
        let result;
        try {
            result = fn();
        } finally {
            this.close();
        }
        return result;
    },

    // Where a move of the caret ends a typing burst.
    boundary() {
        if (this.open)
            this.close();
    },

    canUndo() {
        this.flush();
        return this.undoStack.length > 0 || (!!this.open && this.open.records.length > 0);
    },

    canRedo() {
        this.flush();
        return this.redoStack.length > 0 && !(this.open && this.open.records.length);
    },

    // Changed since the last load or save: a step that changed the page lies between the saved
    // point and now (steps of engine-only state, such as a lock, do not count).
    isModified() {
        this.flush();
        if (this.open && this.open.records.some(changesPage))
            return true;
        const depth = this.undoStack.length;
        if (this.savedDepth < 0)
            return true;
        if (this.savedDepth <= depth)
            return this.undoStack.slice(this.savedDepth).some((t) => t.records.some(changesPage));
        const undone = this.redoStack.slice(this.redoStack.length - (this.savedDepth - depth));
        if (undone.length < this.savedDepth - depth)
            return true;
        return undone.some((t) => t.records.some(changesPage));
    },

    // Records a change that the DOM does not hold (apply is run now), as part of the open step.
    custom(apply, revert) {
        this.flush();
        if (!this.open)
            this.open = { kind: 'operation', records: [], selBefore: saveSelection() };
        apply();
        this.open.records.push({ type: 'custom', undo: revert, redo: apply });
    },

    depth() {
        this.flush();
        return this.undoStack.length + (this.open && this.open.records.length ? 1 : 0);
    },

    markSaved(depth) {
        this.close();
        this.savedDepth = depth;
    },

    undo() {
        this.close();
        const t = this.undoStack.pop();
        if (!t)
            return false;
        const inverse = this.revert(t.records);
        this.redoStack.push({ kind: t.kind, records: inverse, selBefore: t.selAfter,
                              selAfter: t.selBefore });
        restoreSelection(t.selBefore);
        schedulePush();
        return true;
    },

    redo() {
        this.close();
        const t = this.redoStack.pop();
        if (!t)
            return false;
        const inverse = this.revert(t.records);
        this.undoStack.push({ kind: t.kind, records: inverse, selBefore: t.selAfter,
                              selAfter: t.selBefore });
        restoreSelection(t.selBefore);
        schedulePush();
        return true;
    },

    // Undoes records newest first and returns the records of that change.
    revert(records) {
        this.flush();
        this.reverting = true;
        const inverse = [];
        try {
            for (let i = records.length - 1; i >= 0; --i) {
                const r = records[i];
                if (r.type === 'custom') {
                    r.undo();
                    inverse.push({ type: 'custom', undo: r.redo, redo: r.undo });
                } else {
                    revertRecord(r);
                    for (const done of this.observer.takeRecords())
                        inverse.push(done);
                }
            }
            noteMutations(inverse.filter(changesPage));
            return inverse;
        } finally {
            this.reverting = false;
        }
    },
};

function changesPage(record) {
    return record.type !== 'custom';
}

function revertRecord(r) {
    switch (r.type) {
    case 'characterData':
        r.target.data = r.oldValue;
        break;
    case 'attributes':
        if (r.oldValue === null)
            r.target.removeAttributeNS(r.attributeNamespace, r.attributeName);
        else if (r.attributeNamespace)
            r.target.setAttributeNS(r.attributeNamespace, r.attributeName, r.oldValue);
        else
            r.target.setAttribute(r.attributeName, r.oldValue);
        break;
    case 'childList':
        // All the children replaced at once: put them back in one change too.
        if (r.addedNodes.length && r.addedNodes.length === r.target.childNodes.length &&
            Array.prototype.every.call(r.addedNodes, (n, i) => r.target.childNodes[i] === n)) {
            r.target.replaceChildren(...r.removedNodes);
            break;
        }
        for (let i = r.addedNodes.length - 1; i >= 0; --i) {
            const node = r.addedNodes[i];
            if (node.parentNode === r.target)
                r.target.removeChild(node);
        }
        if (r.removedNodes.length) {
            let next = null;
            if (r.nextSibling && r.nextSibling.parentNode === r.target)
                next = r.nextSibling;
            else if (r.previousSibling && r.previousSibling.parentNode === r.target)
                next = r.previousSibling.nextSibling;
            const nodes = document.createDocumentFragment();
            nodes.append(...r.removedNodes);
            r.target.insertBefore(nodes, next);
        }
        break;
    }
}

// Selections are kept as node/offset pairs; reverting restores the very nodes, so they stay
// meaningful across undo and redo.
function saveSelection() {
    if (control.element)
        return { control: control.element };
    const r = selectionRange();
    if (!r)
        return null;
    return { sc: r.startContainer, so: r.startOffset, ec: r.endContainer, eo: r.endOffset };
}

function restoreSelection(saved) {
    if (!saved)
        return;
    if (saved.control) {
        if (saved.control.isConnected)
            selectControl(saved.control);
        return;
    }
    if (!saved.sc.isConnected || !saved.ec.isConnected)
        return;
    try {
        const r = document.createRange();
        r.setStart(saved.sc, Math.min(saved.so, nodeLength(saved.sc)));
        r.setEnd(saved.ec, Math.min(saved.eo, nodeLength(saved.ec)));
        const selection = document.getSelection();
        selection.removeAllRanges();
        selection.addRange(r);
    } catch (e) {
        // The nodes moved in a way that makes the old range invalid: leave the selection.
    }
}

function nodeLength(node) {
    return node.nodeType === Node.TEXT_NODE || node.nodeType === Node.COMMENT_NODE
               ? node.data.length
               : node.childNodes.length;
}

// Listeners interested in what changed (image names, title, display aids) register here.
const mutationListeners = [];
function noteMutations(records) {
    for (const listener of mutationListeners)
        listener(records);
}

// Native input: typing, deleting, paste, cut, drop. Undo and redo from the keyboard or the
// context menu arrive here too and are turned to the engine's history.
const kMergeable = new Set(['insertText', 'deleteContentBackward', 'deleteContentForward']);

document.addEventListener('beforeinput', timed((e) => {
    if (e.inputType === 'historyUndo' || e.inputType === 'historyRedo') {
        e.preventDefault();
        if (e.inputType === 'historyUndo')
            journal.undo();
        else
            journal.redo();
        return;
    }
    const continues = kMergeable.has(e.inputType) && sameCaret(journal.caretAfterInput);
    journal.begin(e.inputType, continues);
}), true);

document.addEventListener('input', timed(() => {
    journal.flush();
    journal.caretAfterInput = caretPosition();
    schedulePush();
}), true);

document.addEventListener('keydown', timed((e) => {
    const key = e.key.toLowerCase();
    if ((e.ctrlKey || e.metaKey) && !e.altKey && (key === 'z' || key === 'y')) {
        e.preventDefault();
        if (key === 'y' || e.shiftKey)
            journal.redo();
        else
            journal.undo();
    }
}), true);

function caretPosition() {
    const r = selectionRange();
    return r && r.collapsed ? { node: r.startContainer, offset: r.startOffset } : null;
}

function sameCaret(position) {
    const now = caretPosition();
    return !!position && !!now && position.node === now.node && position.offset === now.offset;
}

document.addEventListener('selectionchange', timed(() => {
    if (journal.open && journal.caretAfterInput && !sameCaret(journal.caretAfterInput))
        journal.boundary();
    selectionChanged();
    schedulePush();
}), true);

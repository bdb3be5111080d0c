// Background sound: Chromium has no BGSOUND element, so the runtime plays the page's first one
// (in the head or the body) with an Audio object of its own, which is not part of the DOM. It
// plays while editing, follows insertions, removals and changes of the element, and stops when
// the host leaves the editor mode.

const sound = { enabled: true, audio: null, url: '', src: '' };

function soundElement() {
    return document.querySelector('bgsound');
}

// loop: absent or 1 plays once; "infinite", -1 or a count above 1 repeats.
function soundLoops(value) {
    if (value === null)
        return false;
    const v = value.trim().toLowerCase();
    return v === '' || v === 'infinite' || v === '-1' || parseInt(v, 10) > 1;
}

function stopSound() {
    if (sound.audio) {
        sound.audio.pause();
        sound.audio.removeAttribute('src');
        sound.audio.load();
    }
    sound.audio = null;
    sound.url = '';
    sound.src = '';
}

function updateSound() {
    const el = sound.enabled ? soundElement() : null;
    const src = el ? (el.getAttribute('src') || '').trim() : '';
    if (!src) {
        stopSound();
        schedulePush();
        return;
    }
    let url;
    try {
        url = new URL(src, document.baseURI).href;
    } catch (e) {
        stopSound();
        return;
    }
    const loops = soundLoops(el.getAttribute('loop'));
    if (sound.audio && sound.url === url) {
        sound.audio.loop = loops;
        return;
    }
    stopSound();
    const audio = new Audio();
    audio.loop = loops;
    for (const event of ['playing', 'pause', 'ended', 'error'])
        audio.addEventListener(event, schedulePush);
    audio.src = url;
    sound.audio = audio;
    sound.url = url;
    sound.src = src;
    audio.play().catch(() => schedulePush());
}

function touchesSound(node) {
    return isElement(node) && (node.tagName === 'BGSOUND' || !!node.querySelector('bgsound'));
}

mutationListeners.push((records) => {
    for (const r of records) {
        if ((r.type === 'attributes' && r.target.tagName === 'BGSOUND') ||
            (r.type === 'childList' && (Array.prototype.some.call(r.addedNodes, touchesSound) ||
                                        Array.prototype.some.call(r.removedNodes, touchesSound)))) {
            Promise.resolve().then(updateSound);
            return;
        }
    }
});

readyHooks.push(() => updateSound());

stateExtenders.push((state) => {
    const a = sound.audio;
    state.sound = a && !a.paused && !a.ended && !a.error ? sound.src : '';
});

// ---- compiled once the page is editable ----

operations.sound = (request) => {
    sound.enabled = !!request.enabled;
    updateSound();
    return true;
};

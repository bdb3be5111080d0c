/*
 * qxlib.js - the script library of pages made with Pelion Web Builder.
 *
 * The image behaviours written by the builder call these functions from inline handlers:
 *   initClassMoveable()            images with class "moveable" can be dragged
 *   qxGoHome()                     open the site's home page beside this page
 *   qxSound('path')                play a sound file
 *   qxGoRandom(image, count)       show a random member 0001..count of the image's numbered set
 *   qxGoPrev(), qxGoNext()         open the page numbered one less / one more than this one
 *   qxPop(image)                   show or hide an image
 *   qxMouseOver(image, 'src'), qxMouseOut(image, 'src')                 rollover swap
 *   qxRollPopOver(image, 'src', popup), qxMousePopOut(image, 'src', popup)  swap and popup
 *
 * Images are passed as bare identifiers naming them (name or id). Browsers resolve such a name
 * to the image in most cases, but not all: in an inline handler a name that is also a property
 * of the element itself ("title", "width", "src") yields that property, outside one a name of a
 * window property ("status", "top") yields the window's, two images of one name yield a
 * collection, and a missing image throws. The library therefore accepts an element, a
 * collection or a name string, and when the argument is not an image it reads the name from
 * the calling handler's own text. After the page has loaded, every name used in such a call
 * that is not yet defined becomes a window property that looks the image up on use, so that a
 * missing image is a quiet no-op instead of a script error.
 *
 * The Windows Media Player objects and BGSOUND elements of the pages are played through HTML5
 * media elements created at load time; the markup of the page itself is not changed on disk.
 */
(function (window, document) {
    'use strict';

    if (window.qxlib && window.qxlib.loaded)
        return;

    var PLAYER_CLASS_IDS = ['22D6F312-B0F6-11D0-94AB-0080C74C7E95',  // Media Player 6.4
                            '6BF52A52-394A-11D3-B153-00C04F79FAA6']; // Media Player 7 and later
    var AUDIO_EXTENSIONS = ['wav', 'wave', 'mp3', 'ogg', 'oga', 'opus', 'aac', 'm4a', 'flac',
                            'wma', 'mid', 'midi', 'rmi', 'au', 'snd', 'aif', 'aiff', 'aifc',
                            'weba', 'mp2', 'mpa'];
    var IDENTIFIER = /^[A-Za-z_$][\w$]*$/;
    var NOT_NAMES = ['this', 'null', 'true', 'false', 'undefined', 'NaN', 'Infinity', 'event',
                     'new', 'typeof', 'void', 'window', 'document'];

    // ---------------------------------------------------------------------------------------
    // Small helpers

    function isElement(x) {
        return !!x && x.nodeType === 1;
    }

    function isImage(x) {
        return isElement(x) && x.tagName === 'IMG';
    }

    function isCollection(x) {
        return !!x && !isElement(x) && typeof x.length === 'number' && typeof x.item === 'function';
    }

    function firstImageOf(collection) {
        for (var i = 0; i < collection.length; ++i) {
            if (isImage(collection[i]))
                return collection[i];
        }
        return null;
    }

    // Page references may be written with Windows separators ("media\clip.avi").
    function slashes(path) {
        return String(path === undefined || path === null ? '' : path).replace(/\\/g, '/');
    }

    // An absolute URL for a page reference, or '' for an empty one.
    function resolveUrl(path) {
        var p = slashes(path).trim();
        if (!p)
            return '';
        if (/^[A-Za-z]:\//.test(p))
            p = 'file:///' + p; // a Windows drive path, not a URL scheme
        try {
            return new URL(p, document.baseURI).href;
        } catch (e) {
            return '';
        }
    }

    function onReady(fn) {
        if (document.readyState === 'loading')
            document.addEventListener('DOMContentLoaded', fn);
        else
            fn();
    }

    // The element whose inline handler is running, if any.
    function handlerElement() {
        var e = window.event;
        return e && isElement(e.currentTarget) ? e.currentTarget : null;
    }

    // Splits the argument list of the first call of fnName in a piece of script text; the
    // arguments come back as trimmed source texts. null when there is no such call.
    function callArguments(source, fnName) {
        var re = new RegExp('(^|[^\\w$])' + fnName.replace(/\$/g, '\\$') + '\\s*\\(');
        var m = re.exec(source);
        if (!m)
            return null;
        var args = [];
        var depth = 0;
        var quote = '';
        var current = '';
        for (var i = m.index + m[0].length; i < source.length; ++i) {
            var c = source.charAt(i);
            if (quote) {
                current += c;
                if (c === '\\' && i + 1 < source.length) {
                    current += source.charAt(++i);
                } else if (c === quote) {
                    quote = '';
                }
                continue;
            }
            if (c === '\'' || c === '"') {
                quote = c;
                current += c;
            } else if (c === '(' || c === '[' || c === '{') {
                ++depth;
                current += c;
            } else if ((c === ')' || c === ']' || c === '}') && depth > 0) {
                --depth;
                current += c;
            } else if (c === ')') {
                args.push(current.trim());
                return args;
            } else if (c === ',' && depth === 0) {
                args.push(current.trim());
                current = '';
            } else {
                current += c;
            }
        }
        return null; // unbalanced
    }

    // The value of a quoted script string literal, or null when text is not one.
    function stringLiteral(text) {
        var m = /^(['"])((?:\\.|(?!\1)[^\\])*)\1$/.exec(text);
        if (!m)
            return null;
        return m[2].replace(/\\(.)/g, function (all, c) {
            return c === 'n' ? '\n' : c === 't' ? '\t' : c === 'r' ? '\r' : c;
        });
    }

    // The identifier written as argument index of fnName in the running handler, or ''.
    function handlerArgumentName(fnName, index) {
        var e = window.event;
        var el = handlerElement();
        if (!el || !e.type)
            return '';
        var source = el.getAttribute('on' + e.type);
        if (!source)
            return '';
        var args = callArguments(source, fnName);
        if (!args || index >= args.length)
            return '';
        return IDENTIFIER.test(args[index]) ? args[index] : '';
    }

    // The image (or, failing that, the element) with a name or id.
    function findByName(name) {
        if (!name)
            return null;
        var named = document.getElementsByName(name);
        var image = firstImageOf(named);
        if (image)
            return image;
        if (document.images && document.images.namedItem) {
            image = document.images.namedItem(name);
            if (image)
                return image;
        }
        return document.getElementById(name) || (named.length ? named[0] : null);
    }

    // Turns what a handler passed for an image into the element. self: the argument names the
    // image whose own handler is running (the first argument of the rollover and random calls).
    function resolveImage(arg, fnName, index, self) {
        var written = handlerArgumentName(fnName, index);
        var current = handlerElement();
        var found = null;
        if (self && isImage(current) && written
            && (current.getAttribute('name') === written || current.id === written))
            return current; // also picks the right one of several images of one name
        var named = isImage(arg) && (arg.getAttribute('name') === written || arg.id === written);
        if (isImage(arg) && (!written || named))
            return arg;
        // The identifier may have resolved to something else of the same name (in the handler
        // of an image, "title" is that image's own title text): look the name up.
        if (written) {
            found = findByName(written);
            if (found)
                return found;
        }
        if (isImage(arg))
            return arg;
        if (isCollection(arg) && firstImageOf(arg))
            return firstImageOf(arg);
        if (typeof arg === 'string' && arg) {
            found = findByName(arg);
            if (found)
                return found;
        }
        if (self && isImage(current))
            return current;
        if (isElement(arg))
            return arg;
        return isCollection(arg) && arg.length && isElement(arg[0]) ? arg[0] : null;
    }

    function setImageSource(image, source) {
        if (image && source !== undefined && source !== null && String(source) !== '')
            image.setAttribute('src', slashes(source));
    }

    function setShown(element, shown) {
        if (element && element.style)
            element.style.visibility = shown ? 'visible' : 'hidden';
    }

    // ---------------------------------------------------------------------------------------
    // Existence checks before navigating: a page is only opened when it may exist. The answer
    // is true (exists), false (known to be missing) or null (cannot tell, e.g. a browser that
    // does not let a local page read local files).

    var localReadable = null; // null: not yet known; then a promise of true or false

    function requestExists(url) {
        return new Promise(function (resolve) {
            var request;
            try {
                request = new XMLHttpRequest();
                request.open('GET', url, true);
            } catch (e) {
                resolve(null);
                return;
            }
            request.onload = function () {
                resolve(request.status === 0 || (request.status >= 200 && request.status < 300));
            };
            request.onerror = function () {
                resolve(false);
            };
            try {
                request.send();
            } catch (e) {
                resolve(null);
            }
        });
    }

    function pageExists(url) {
        var protocol = window.location.protocol;
        if (protocol === 'file:') {
            if (!localReadable) {
                // Reading this very page tells whether local reads work at all, so that a
                // refused read is not taken for a missing file.
                localReadable = requestExists(window.location.href.split('#')[0]);
            }
            return localReadable.then(function (readable) {
                return readable ? requestExists(url) : null;
            });
        }
        if ((protocol === 'http:' || protocol === 'https:') && window.fetch) {
            return window.fetch(url, { method: 'HEAD', cache: 'no-store' }).then(function (r) {
                if (r.ok)
                    return true;
                return r.status === 404 || r.status === 410 ? false : null;
            }, function () {
                return null;
            });
        }
        return Promise.resolve(null);
    }

    function siblingUrl(fileName) {
        return new URL(fileName, window.location.href).href;
    }

    // The last path segment of this page: { prefix, number, suffix } when it ends in four
    // digits before its extension ("page0003.html"), else null.
    function pageNumber() {
        var path = window.location.pathname;
        var name = path.substring(path.lastIndexOf('/') + 1);
        var m = /^(.*?)(\d{4})(\.[^.]*)?$/.exec(name);
        if (!m)
            return null;
        return { name: name, prefix: m[1], number: parseInt(m[2], 10), suffix: m[3] || '' };
    }

    function numberedName(page, n) {
        return page.prefix + ('000' + n).slice(-4) + page.suffix;
    }

    function go(url) {
        window.location.href = url;
        return url;
    }

    // ---------------------------------------------------------------------------------------
    // Navigation

    // Opens "Index.html" beside the page. Where file names are told apart by case and only
    // "index.html" (the name new pages get) exists, that one is opened instead. Resolves with
    // the URL opened.
    function qxGoHome() {
        var home = siblingUrl('Index.html');
        return pageExists(home).then(function (exists) {
            return go(exists === true ? home : siblingUrl('index.html'));
        });
    }

    // Opens the page numbered one more than this one, unless it is known to be missing. The
    // home page "index.html" stands for number 1 (new pages are numbered from 2 after it).
    // Resolves with the URL opened, or null when nothing happened.
    function qxGoNext() {
        var page = pageNumber();
        var target;
        if (page) {
            if (page.number >= 9999)
                return Promise.resolve(null);
            target = siblingUrl(numberedName(page, page.number + 1));
        } else {
            var name = window.location.pathname.replace(/^.*\//, '');
            if (!/^index\.html?$/i.test(name))
                return Promise.resolve(null);
            target = siblingUrl('page0002.html');
            return pageExists(target).then(function (exists) {
                return exists === true ? go(target) : null;
            });
        }
        return pageExists(target).then(function (exists) {
            return exists === false ? null : go(target);
        });
    }

    // Opens the page numbered one less than this one; nothing happens on page 0001 or on a page
    // without a number. From page 0002, when there is no page 0001, the home page is opened.
    function qxGoPrev() {
        var page = pageNumber();
        if (!page || page.number <= 1)
            return Promise.resolve(null);
        var target = siblingUrl(numberedName(page, page.number - 1));
        return pageExists(target).then(function (exists) {
            if (exists !== false)
                return go(target);
            return page.number === 2 ? qxGoHome() : null;
        });
    }

    // ---------------------------------------------------------------------------------------
    // Images

    function qxPop(image) {
        var element = resolveImage(image, 'qxPop', 0, false);
        if (!element)
            return;
        var hidden = window.getComputedStyle(element).visibility === 'hidden';
        setShown(element, hidden);
    }

    function qxMouseOver(image, source) {
        setImageSource(resolveImage(image, 'qxMouseOver', 0, true), source);
    }

    function qxMouseOut(image, source) {
        setImageSource(resolveImage(image, 'qxMouseOut', 0, true), source);
    }

    function qxRollPopOver(image, source, popup) {
        setImageSource(resolveImage(image, 'qxRollPopOver', 0, true), source);
        setShown(resolveImage(popup, 'qxRollPopOver', 2, false), true);
    }

    function qxMousePopOut(image, source, popup) {
        setImageSource(resolveImage(image, 'qxMousePopOut', 0, true), source);
        setShown(resolveImage(popup, 'qxMousePopOut', 2, false), false);
    }

    // The numbered set of an image source: "art/Coin0003.gif" is member 3 of "art/Coin" +
    // "####" + ".gif".
    function numberedSet(source) {
        var m = /^(.*?)(\d{4})(\.[^.\/?#]*)?([?#].*)?$/.exec(slashes(source));
        if (!m)
            return null;
        return { base: m[1], member: parseInt(m[2], 10), ext: m[3] || '' };
    }

    // Shows a random member 0001..count of the image's numbered set; with more than one member
    // never the one shown now.
    function qxGoRandom(image, count) {
        var element = resolveImage(image, 'qxGoRandom', 0, true);
        var n = Math.floor(Number(count));
        if (!element || !(n >= 1))
            return;
        n = Math.min(n, 9999);
        var set = numberedSet(element.getAttribute('src'));
        if (set) {
            element.setAttribute('data-qx-set', set.base + '\n' + set.ext);
        } else {
            // The source is not a member now (a rollover may be showing): use the set it had.
            var remembered = (element.getAttribute('data-qx-set') || '').split('\n');
            if (remembered.length !== 2)
                return;
            set = { base: remembered[0], member: 0, ext: remembered[1] };
        }
        var pick;
        if (n === 1) {
            pick = 1;
        } else if (set.member >= 1 && set.member <= n) {
            pick = 1 + Math.floor(Math.random() * (n - 1)); // 1 .. n-1, skipping the current one
            if (pick >= set.member)
                ++pick;
        } else {
            pick = 1 + Math.floor(Math.random() * n);
        }
        element.setAttribute('src', set.base + ('000' + pick).slice(-4) + set.ext);
    }

    // Dragging: a press on an element of class "moveable" starts a drag that moves it with the
    // pointer. A static element becomes relatively positioned, so that the page's flow stays.
    var moveableReady = false;
    var drag = null;

    function startDrag(e) {
        if (e.button !== 0 || !e.isPrimary || !e.target || !e.target.closest)
            return;
        var element = e.target.closest('.moveable');
        if (!element || e.target.closest('input, textarea, select, button, option'))
            return;
        var style = window.getComputedStyle(element);
        if (style.position === 'static') {
            element.style.position = 'relative';
            element.style.left = '0px';
            element.style.top = '0px';
        } else {
            if (style.left === 'auto')
                element.style.left = element.offsetLeft + 'px';
            if (style.top === 'auto')
                element.style.top = element.offsetTop + 'px';
        }
        style = window.getComputedStyle(element);
        drag = {
            element: element,
            pointer: e.pointerId,
            x: e.clientX,
            y: e.clientY,
            left: parseFloat(style.left) || 0,
            top: parseFloat(style.top) || 0,
            moved: false
        };
        try {
            element.setPointerCapture(e.pointerId);
        } catch (err) {
            // capture is a nicety; the document listeners carry the drag anyway
        }
        e.preventDefault(); // no native image drag, no text selection
    }

    function moveDrag(e) {
        if (!drag || e.pointerId !== drag.pointer)
            return;
        var dx = e.clientX - drag.x;
        var dy = e.clientY - drag.y;
        if (Math.abs(dx) + Math.abs(dy) > 2)
            drag.moved = true;
        drag.element.style.left = drag.left + dx + 'px';
        drag.element.style.top = drag.top + dy + 'px';
        e.preventDefault();
    }

    function endDrag(e) {
        if (!drag || e.pointerId !== drag.pointer)
            return;
        if (drag.moved) {
            // The release after a drag is not a click on the image (or on its link).
            var swallow = function (c) {
                c.preventDefault();
                c.stopPropagation();
            };
            document.addEventListener('click', swallow, { capture: true, once: true });
            window.setTimeout(function () {
                document.removeEventListener('click', swallow, true);
            }, 0);
        }
        drag = null;
    }

    function initClassMoveable() {
        if (moveableReady)
            return;
        moveableReady = true;
        document.addEventListener('pointerdown', startDrag, true);
        document.addEventListener('pointermove', moveDrag, true);
        document.addEventListener('pointerup', endDrag, true);
        document.addEventListener('pointercancel', endDrag, true);
        document.addEventListener('dragstart', function (e) {
            if (e.target && e.target.closest && e.target.closest('.moveable'))
                e.preventDefault();
        }, true);
    }

    // ---------------------------------------------------------------------------------------
    // Sound and media

    // Media that may only start after the visitor has interacted with the page.
    var waitingForGesture = [];
    var gestureHooked = false;

    function playWhenAllowed(media) {
        var started;
        try {
            started = media.play();
        } catch (e) {
            started = null;
        }
        if (started && typeof started.then === 'function') {
            started.then(null, function (error) {
                if (error && error.name === 'NotAllowedError')
                    deferUntilGesture(media);
            });
        }
    }

    function deferUntilGesture(media) {
        if (waitingForGesture.indexOf(media) < 0)
            waitingForGesture.push(media);
        if (gestureHooked)
            return;
        gestureHooked = true;
        var events = ['pointerup', 'click', 'keydown', 'touchend'];
        var release = function () {
            events.forEach(function (type) {
                document.removeEventListener(type, release, true);
            });
            gestureHooked = false;
            var waiting = waitingForGesture;
            waitingForGesture = [];
            waiting.forEach(function (m) {
                if (m.paused)
                    playWhenAllowed(m);
            });
        };
        events.forEach(function (type) {
            document.addEventListener(type, release, true);
        });
    }

    function isAudioFile(path) {
        var clean = slashes(path).split(/[?#]/)[0];
        var dot = clean.lastIndexOf('.');
        if (dot < 0 || dot < clean.lastIndexOf('/'))
            return false;
        return AUDIO_EXTENSIONS.indexOf(clean.substring(dot + 1).toLowerCase()) >= 0;
    }

    // Plays a media element playCount times (0: forever), then rewinds it when asked to.
    function setPlayCount(media, playCount, autoRewind) {
        media.loop = playCount === 0;
        var remaining = playCount;
        media.addEventListener('ended', function () {
            if (media.loop)
                return;
            if (--remaining > 0) {
                media.currentTime = 0;
                playWhenAllowed(media);
                return;
            }
            remaining = playCount;
            if (autoRewind)
                media.currentTime = 0;
        });
    }

    function isPlayerObject(element) {
        var id = (element.getAttribute('classid') || '').toUpperCase();
        return PLAYER_CLASS_IDS.some(function (clsid) {
            return id.indexOf(clsid) >= 0;
        });
    }

    function playerParams(object) {
        var params = {};
        var list = object.getElementsByTagName('param');
        for (var i = 0; i < list.length; ++i) {
            var name = (list[i].getAttribute('name') || '').toLowerCase();
            if (name && !(name in params))
                params[name] = list[i].getAttribute('value') || '';
        }
        return params;
    }

    function flag(params, name, fallback) {
        if (!(name in params))
            return fallback;
        var v = String(params[name]).trim().toLowerCase();
        return v === 'true' || v === '1' || v === '-1' || v === 'yes';
    }

    function isHiddenObject(object) {
        var style = window.getComputedStyle(object);
        if (style.visibility === 'hidden' || style.display === 'none')
            return true;
        return object.getAttribute('width') === '0' && object.getAttribute('height') === '0';
    }

    // Puts an HTML5 player in place of a media player object, configured by its parameters:
    // FileName (or URL), AutoStart, AutoRewind, ClickToPlay, Mute, PlayCount (0 = forever) and
    // ShowControls. ShowDisplay and ShowTracker have no counterpart of their own (the HTML5
    // controls carry the tracker). Hidden objects, like the page's "MPlyr", get a hidden player.
    function replacePlayerObject(object) {
        if (object.getAttribute('data-qx-replaced'))
            return null;
        var params = playerParams(object);
        var file = params.filename || params.url || params.src || '';
        // A hidden player is only heard; a visible one shows a video unless it names a sound.
        var hidden = isHiddenObject(object);
        var media = document.createElement(hidden || isAudioFile(file) ? 'audio' : 'video');
        media.setAttribute('data-qx-player', object.id || '');
        media.preload = 'auto';
        if (hidden) {
            media.hidden = true;
        } else {
            media.controls = flag(params, 'showcontrols', true);
            var width = parseInt(object.getAttribute('width'), 10);
            var height = parseInt(object.getAttribute('height'), 10);
            if (width > 0)
                media.width = width;
            if (height > 0 && media.tagName === 'VIDEO')
                media.height = height;
            var align = (object.getAttribute('align') || '').toLowerCase();
            if (align === 'left' || align === 'right')
                media.style.cssFloat = align;
        }
        media.muted = flag(params, 'mute', false);
        var count = parseInt(params.playcount, 10);
        setPlayCount(media, isNaN(count) || count < 0 ? 1 : count,
                     flag(params, 'autorewind', true));
        if (flag(params, 'clicktoplay', false) && !media.controls) {
            media.addEventListener('click', function () {
                if (media.paused)
                    playWhenAllowed(media);
                else
                    media.pause();
            });
        }
        if (file)
            media.src = resolveUrl(file);

        object.setAttribute('data-qx-replaced', '1');
        object.style.display = 'none';
        object.parentNode.insertBefore(media, object);
        exposePlayer(object, media);

        if (file && flag(params, 'autostart', false))
            playWhenAllowed(media);
        return media;
    }

    // Scripts written for the player object may still drive it: FileName, Play(), Stop().
    function exposePlayer(object, media) {
        try {
            Object.defineProperty(object, 'FileName', {
                configurable: true,
                get: function () {
                    return media.getAttribute('src') || '';
                },
                set: function (value) {
                    media.src = resolveUrl(value);
                }
            });
            object.Play = function () {
                playWhenAllowed(media);
            };
            object.Pause = function () {
                media.pause();
            };
            object.Stop = function () {
                media.pause();
                media.currentTime = 0;
            };
        } catch (e) {
            // an element that refuses new properties keeps only the HTML5 player
        }
    }

    function setUpPlayers() {
        var objects = document.getElementsByTagName('object');
        var list = [];
        for (var i = 0; i < objects.length; ++i) {
            if (isPlayerObject(objects[i]))
                list.push(objects[i]);
        }
        list.forEach(replacePlayerObject);
    }

    // The player qxSound uses: the one made for the page's "MPlyr" object, else a hidden one.
    var soundPlayer = null;

    function getSoundPlayer() {
        if (soundPlayer && soundPlayer.isConnected)
            return soundPlayer;
        var object = document.getElementById('MPlyr');
        if (object && object.tagName === 'OBJECT' && isPlayerObject(object)) {
            soundPlayer = replacePlayerObject(object)
                          || document.querySelector('[data-qx-player="MPlyr"]');
        }
        if (!soundPlayer) {
            soundPlayer = document.createElement('audio');
            soundPlayer.setAttribute('data-qx-player', 'qxSound');
            soundPlayer.hidden = true;
            (document.body || document.documentElement).appendChild(soundPlayer);
        }
        return soundPlayer;
    }

    function qxSound(path) {
        var url = resolveUrl(path);
        if (!url)
            return;
        var player = getSoundPlayer();
        player.loop = false;
        if (player.src !== url)
            player.src = url;
        else
            player.currentTime = 0;
        playWhenAllowed(player);
    }

    // BGSOUND: loop="infinite" (or -1, or a bare loop) repeats forever, loop=n plays n times,
    // no loop plays once.
    function setUpBackgroundSounds() {
        var sounds = document.getElementsByTagName('bgsound');
        for (var i = 0; i < sounds.length; ++i) {
            var tag = sounds[i];
            if (tag.getAttribute('data-qx-replaced'))
                continue;
            tag.setAttribute('data-qx-replaced', '1');
            var url = resolveUrl(tag.getAttribute('src'));
            if (!url)
                continue;
            var count = 1;
            if (tag.hasAttribute('loop')) {
                var loop = tag.getAttribute('loop').trim().toLowerCase();
                var n = parseInt(loop, 10);
                if (loop === '' || loop === 'infinite' || loop === 'true' || n < 0)
                    count = 0;
                else if (n > 1)
                    count = n;
            }
            var audio = document.createElement('audio');
            audio.setAttribute('data-qx-bgsound', '');
            audio.hidden = true;
            audio.preload = 'auto';
            setPlayCount(audio, count, false);
            audio.src = url;
            (document.body || document.documentElement).appendChild(audio);
            playWhenAllowed(audio);
        }
    }

    // ---------------------------------------------------------------------------------------
    // Names used by the handlers

    var CALLS = ['qxPop', 'qxMouseOver', 'qxMouseOut', 'qxRollPopOver', 'qxMousePopOut',
                 'qxGoRandom'];
    var HANDLERS = ['onclick', 'onmouseover', 'onmouseout', 'ondblclick', 'onmousedown',
                    'onmouseup'];

    function defineNameLookup(name) {
        if (!IDENTIFIER.test(name) || NOT_NAMES.indexOf(name) >= 0 || name in window)
            return;
        try {
            Object.defineProperty(window, name, {
                configurable: true,
                enumerable: false,
                get: function () {
                    return findByName(name);
                },
                set: function (value) {
                    // A script that takes the name for itself gets an ordinary variable.
                    Object.defineProperty(window, name, {
                        configurable: true, enumerable: true, writable: true, value: value
                    });
                }
            });
        } catch (e) {
            // a name the window does not let us define stays as the browser resolves it
        }
    }

    function scanHandlers() {
        var selector = HANDLERS.map(function (h) {
            return '[' + h + '*="qx"]';
        }).join(',');
        var elements = document.querySelectorAll(selector);
        var preload = {};
        for (var i = 0; i < elements.length; ++i) {
            for (var h = 0; h < HANDLERS.length; ++h) {
                var source = elements[i].getAttribute(HANDLERS[h]);
                if (!source)
                    continue;
                for (var c = 0; c < CALLS.length; ++c) {
                    var args = callArguments(source, CALLS[c]);
                    if (!args)
                        continue;
                    args.forEach(function (arg) {
                        if (IDENTIFIER.test(arg))
                            defineNameLookup(arg);
                    });
                    if ((CALLS[c] === 'qxMouseOver' || CALLS[c] === 'qxRollPopOver') && args[1]) {
                        var src = stringLiteral(args[1]);
                        if (src)
                            preload[resolveUrl(src)] = true;
                    }
                }
            }
        }
        Object.keys(preload).forEach(function (url) {
            if (url)
                new Image().src = url;
        });
    }

    // ---------------------------------------------------------------------------------------

    window.initClassMoveable = initClassMoveable;
    window.qxGoHome = qxGoHome;
    window.qxGoNext = qxGoNext;
    window.qxGoPrev = qxGoPrev;
    window.qxSound = qxSound;
    window.qxGoRandom = qxGoRandom;
    window.qxPop = qxPop;
    window.qxMouseOver = qxMouseOver;
    window.qxMouseOut = qxMouseOut;
    window.qxRollPopOver = qxRollPopOver;
    window.qxMousePopOut = qxMousePopOut;
    window.qxlib = { loaded: true, version: '1.0' };

    onReady(function () {
        initClassMoveable();
        scanHandlers();
        setUpPlayers();
        setUpBackgroundSounds();
    });
})(window, document);

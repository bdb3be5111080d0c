#!/usr/bin/env python3
"""Draws the shipped clip art into data/Clipart/.

Everything here is made from scratch: pictures are SVG drawings written by this script and
rendered with rsvg-convert, GIFs are assembled with ImageMagick's convert, sounds are
synthesised sample by sample, and videos are rendered frame by frame and encoded with ffmpeg
(VP8 in WebM, which every current browser plays). Re-running the script rewrites the same files.

    python3 data/sources/clipart/make_clipart.py [--out data/Clipart]

Needs: rsvg-convert (librsvg2-bin), convert (imagemagick), ffmpeg — only to regenerate; the
generated files are kept in the repository.
"""
import argparse
import math
import os
import random
import shutil
import struct
import subprocess
import tempfile
import wave

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_OUT = os.path.normpath(os.path.join(HERE, "..", "..", "Clipart"))


def run(*args):
    subprocess.run(args, check=True, stdout=subprocess.DEVNULL)


def render(svg, png, width, height):
    with tempfile.NamedTemporaryFile("w", suffix=".svg", delete=False) as f:
        f.write(svg)
        name = f.name
    try:
        run("rsvg-convert", "-w", str(width), "-h", str(height), "-o", png, name)
    finally:
        os.unlink(name)


def svg_doc(width, height, body, defs=""):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
            f'viewBox="0 0 {width} {height}"><defs>{defs}</defs>{body}</svg>')


def gradient(gid, top, bottom):
    return (f'<linearGradient id="{gid}" x1="0" y1="0" x2="0" y2="1">'
            f'<stop offset="0" stop-color="{top}"/><stop offset="1" stop-color="{bottom}"/>'
            f'</linearGradient>')


# ---- glyphs drawn inside a 24 x 24 box, centred at (12, 12) ----
GLYPHS = {
    "home": '<path d="M12 3 L22 12 H19 V21 H14 V15 H10 V21 H5 V12 H2 Z" fill="#fff"/>',
    "prev": '<path d="M15 4 L7 12 L15 20 Z" fill="#fff"/>',
    "next": '<path d="M9 4 L17 12 L9 20 Z" fill="#fff"/>',
    "up": '<path d="M4 15 L12 7 L20 15 Z" fill="#fff"/>',
    "mail": '<rect x="3" y="6" width="18" height="12" rx="1.5" fill="#fff"/>'
            '<path d="M3.5 6.5 L12 13 L20.5 6.5" fill="none" stroke="#555" stroke-width="1.5"/>',
    "info": '<circle cx="12" cy="7" r="2" fill="#fff"/><rect x="10.3" y="10" width="3.4" '
            'height="10" rx="1" fill="#fff"/>',
    "check": '<path d="M4 13 L9.5 18.5 L20 6" fill="none" stroke="#fff" stroke-width="3.5" '
             'stroke-linecap="round" stroke-linejoin="round"/>',
    "star": '<path d="M12 2.5 L14.8 8.8 L21.6 9.4 L16.4 13.9 L18 20.6 L12 17 L6 20.6 L7.6 13.9 '
            'L2.4 9.4 L9.2 8.8 Z" fill="#fff"/>',
}


def round_button(glyph, top, bottom, size=48):
    s = size
    defs = gradient("g", top, bottom) + gradient("shine", "rgba(255,255,255,0.75)",
                                                    "rgba(255,255,255,0)")
    body = (f'<circle cx="{s/2}" cy="{s/2}" r="{s/2-1.5}" fill="url(#g)" stroke="#0003" '
            f'stroke-width="1.5"/>'
            f'<ellipse cx="{s/2}" cy="{s*0.3}" rx="{s*0.34}" ry="{s*0.2}" fill="url(#shine)"/>'
            f'<g transform="translate({s/2-12*s/48} {s/2-12*s/48}) scale({s/48})">'
            f'{GLYPHS[glyph]}</g>')
    return svg_doc(s, s, body, defs)


def pill_button(label, glyph, top, bottom, width=120, height=36):
    defs = gradient("g", top, bottom)
    gx = 8 if glyph in ("home", "prev", "up", "mail") else width - 32
    tx = 36 if gx == 8 else 14
    anchor = "start"
    body = (f'<rect x="1" y="1" width="{width-2}" height="{height-2}" rx="{height/2-1}" '
            f'fill="url(#g)" stroke="#0004"/>'
            f'<rect x="6" y="3" width="{width-12}" height="{height/2-3}" rx="{height/4}" '
            f'fill="#ffffff" fill-opacity="0.28"/>'
            f'<g transform="translate({gx} {height/2-12})">{GLYPHS[glyph]}</g>'
            f'<text x="{tx}" y="{height/2+5}" font-family="DejaVu Sans, sans-serif" '
            f'font-size="14" font-weight="bold" fill="#fff" text-anchor="{anchor}">{label}</text>')
    return svg_doc(width, height, body, defs)


def to_gif(png, gif):
    # A web-safe GIF with a transparent background, as buttons on old and new pages use.
    run("convert", png, "-background", "none", "-alpha", "on", "-channel", "A",
        "-threshold", "50%", "+channel", gif)


def make_images(out, work):
    d = os.path.join(out, "Images")
    os.makedirs(d, exist_ok=True)
    buttons = [
        ("HomeButton.gif", round_button("home", "#5aa7ff", "#1d5fbf")),
        ("PrevButton.gif", round_button("prev", "#5aa7ff", "#1d5fbf")),
        ("NextButton.gif", round_button("next", "#5aa7ff", "#1d5fbf")),
        ("UpButton.gif", round_button("up", "#5aa7ff", "#1d5fbf")),
        ("GreenHome.gif", round_button("home", "#7fd36b", "#2f8a22")),
        ("GreenPrev.gif", round_button("prev", "#7fd36b", "#2f8a22")),
        ("GreenNext.gif", round_button("next", "#7fd36b", "#2f8a22")),
        ("MailButton.gif", round_button("mail", "#ffb35a", "#d0661a")),
        ("InfoButton.gif", round_button("info", "#9c8cff", "#4b37c9")),
        ("Home Page.gif", pill_button("Home", "home", "#ef6f6f", "#b32626")),
        ("Previous Page.gif", pill_button("Back", "prev", "#ef6f6f", "#b32626")),
        ("Next Page.gif", pill_button("Next", "next", "#ef6f6f", "#b32626")),
        ("Contact.gif", pill_button("Contact", "mail", "#4fc2c2", "#1f7f86")),
    ]
    for name, svg in buttons:
        png = os.path.join(work, name + ".png")
        w = 120 if svg.startswith('<svg xmlns="http://www.w3.org/2000/svg" width="120"') else 48
        h = 36 if w == 120 else 48
        render(svg, png, w, h)
        to_gif(png, os.path.join(d, name))
    # Pictures kept as PNG with soft edges.
    render(round_button("star", "#ffe066", "#e0a000", 64), os.path.join(d, "star.png"), 64, 64)
    render(round_button("check", "#7fd36b", "#2f8a22", 64), os.path.join(d, "check.png"), 64, 64)
    for name, colour in (("bullet-blue.png", "#2f7fe0"), ("bullet-green.png", "#3ca03c"),
                         ("bullet-red.png", "#d23c3c")):
        body = (f'<circle cx="8" cy="8" r="6.5" fill="{colour}"/>'
                f'<circle cx="6" cy="5.5" r="2.2" fill="#fff" fill-opacity="0.6"/>')
        render(svg_doc(16, 16, body), os.path.join(d, name), 16, 16)
    body = ('<rect x="0" y="3" width="600" height="4" rx="2" fill="url(#g)"/>')
    render(svg_doc(600, 10, body, '<linearGradient id="g"><stop offset="0" stop-color="#fff0"/>'
                   '<stop offset="0.5" stop-color="#3a6fb0"/><stop offset="1" '
                   'stop-color="#fff0"/></linearGradient>'), os.path.join(d, "divider.png"),
           600, 10)
    body = ('<path d="M4 40 L40 4 L76 40 Z" fill="#ffcc00" stroke="#8a6d00" stroke-width="3" '
            'stroke-linejoin="round"/><rect x="37" y="15" width="6" height="14" rx="2" '
            'fill="#333"/><circle cx="40" cy="34" r="3" fill="#333"/>')
    render(svg_doc(80, 44, body), os.path.join(d, "warning.png"), 80, 44)
    body = ('<path d="M10 30 h60 l-12 -12 M70 30 l-12 12" fill="none" stroke="#2f7fe0" '
            'stroke-width="7" stroke-linecap="round" stroke-linejoin="round"/>')
    render(svg_doc(80, 60, body), os.path.join(d, "arrow-right.png"), 80, 60)
    body = ('<path d="M70 30 h-60 l12 -12 M10 30 l12 12" fill="none" stroke="#2f7fe0" '
            'stroke-width="7" stroke-linecap="round" stroke-linejoin="round"/>')
    render(svg_doc(80, 60, body), os.path.join(d, "arrow-left.png"), 80, 60)
    body = ('<rect x="2" y="2" width="116" height="116" rx="18" fill="#fff" stroke="#c8c8c8" '
            'stroke-width="3"/><circle cx="60" cy="48" r="22" fill="#7aa7d8"/>'
            '<path d="M20 108 C28 78 92 78 100 108 Z" fill="#7aa7d8"/>')
    render(svg_doc(120, 120, body), os.path.join(d, "person.png"), 120, 120)


def make_backgrounds(out):
    d = os.path.join(out, "Backgrounds")
    os.makedirs(d, exist_ok=True)
    # Each drawing repeats seamlessly: every shape that crosses an edge is drawn again on the
    # opposite edge.
    tiles = {
        "paper.png": (64, '<rect width="64" height="64" fill="#fbf7ec"/>' + "".join(
            f'<circle cx="{x+dx}" cy="{y+dy}" r="{r}" fill="#d9cfb4" fill-opacity="0.35"/>'
            for (x, y, r) in [(random.Random(i).uniform(0, 64), random.Random(i + 99).uniform(0, 64),
                               random.Random(i + 7).uniform(0.4, 1.3)) for i in range(70)]
            for dx in (-64, 0, 64) for dy in (-64, 0, 64))),
        "stripes.png": (40, '<rect width="40" height="40" fill="#eef5fb"/>'
                        '<path d="M-10 10 L10 -10 M-10 50 L50 -10 M30 50 L50 30" '
                        'stroke="#d6e6f4" stroke-width="9"/>'),
        "dots.png": (32, '<rect width="32" height="32" fill="#fff8f0"/>'
                     '<circle cx="8" cy="8" r="3" fill="#f3c89b"/>'
                     '<circle cx="24" cy="24" r="3" fill="#f3c89b"/>'),
        "grid.png": (24, '<rect width="24" height="24" fill="#ffffff"/>'
                     '<path d="M0 0.5 H24 M0.5 0 V24" stroke="#cfe0ef" stroke-width="1"/>'),
        "checks.png": (40, '<rect width="40" height="40" fill="#f1f1f1"/>'
                       '<rect width="20" height="20" fill="#e3e3e3"/>'
                       '<rect x="20" y="20" width="20" height="20" fill="#e3e3e3"/>'),
        "waves.png": (80, '<rect width="80" height="40" fill="#e9f7f6"/>'
                      '<path d="M0 20 C20 5 20 5 40 20 S60 35 80 20" fill="none" '
                      'stroke="#bfe6e2" stroke-width="4"/>'),
    }
    for name, (size, body) in tiles.items():
        h = 40 if name == "waves.png" else size
        render(svg_doc(size, h, body), os.path.join(d, name), size, h)
    # A JPEG background, since many pages use JPEG tiles.
    png = os.path.join(d, "paper.png")
    run("convert", png, "-quality", "92", os.path.join(d, "parchment.jpg"))
    # A left-edge band for pages with a navigation column.
    body = ('<rect width="1600" height="8" fill="#ffffff"/><rect width="180" height="8" '
            'fill="#2f5f8f"/><rect x="180" width="6" height="8" fill="#9ab8d6"/>')
    render(svg_doc(1600, 8, body), os.path.join(d, "sidebar.png"), 1600, 8)


def frames_to_gif(frames, gif, delay):
    run("convert", "-dispose", "background", "-delay", str(delay), "-loop", "0", *frames, "-layers",
        "OptimizeFrame", gif)


def make_animations(out, work):
    d = os.path.join(out, "Animations")
    os.makedirs(d, exist_ok=True)

    def anim(name, count, size, draw, delay=8):
        w, h = size
        frames = []
        for i in range(count):
            png = os.path.join(work, f"{name}-{i:03d}.png")
            render(svg_doc(w, h, draw(i / count)), png, w, h)
            frames.append(png)
        frames_to_gif(frames, os.path.join(d, name), delay)

    anim("spinner.gif", 12, (48, 48), lambda t: "".join(
        f'<rect x="22" y="4" width="4" height="12" rx="2" fill="#2f7fe0" '
        f'fill-opacity="{0.15 + 0.85 * (((k - t * 12) % 12) / 12):.2f}" '
        f'transform="rotate({k * 30} 24 24)"/>' for k in range(12)))
    anim("new.gif", 2, (60, 28), lambda t: (
        f'<rect x="1" y="1" width="58" height="26" rx="6" fill="{"#e02424" if t < 0.5 else "#ffb000"}"/>'
        '<text x="30" y="19" font-family="DejaVu Sans, sans-serif" font-size="15" '
        'font-weight="bold" fill="#fff" text-anchor="middle">NEW</text>'), delay=45)
    anim("bounce.gif", 16, (48, 64), lambda t: (
        f'<ellipse cx="24" cy="60" rx="{10 + 6 * abs(math.cos(math.pi * t))}" ry="3" fill="#0002"/>'
        f'<circle cx="24" cy="{50 - 40 * abs(math.sin(math.pi * t))}" r="9" fill="#e05a24"/>'
        f'<circle cx="21" cy="{47 - 40 * abs(math.sin(math.pi * t))}" r="3" fill="#fff" '
        'fill-opacity="0.6"/>'), delay=5)
    anim("mail.gif", 8, (64, 48), lambda t: (
        '<rect x="8" y="12" width="48" height="30" rx="3" fill="#fff" stroke="#777"/>'
        f'<path d="M8 12 L32 {30 - 14 * math.sin(math.pi * t)} L56 12" fill="#f3f3f3" '
        'stroke="#777"/>'
        f'<circle cx="54" cy="12" r="{5 + 2 * math.sin(2 * math.pi * t)}" fill="#e02424"/>'), 10)
    anim("arrow-next.gif", 10, (64, 40), lambda t: (
        f'<g transform="translate({8 * math.sin(2 * math.pi * t):.2f} 0)">'
        '<path d="M10 20 h36 l-10 -10 M46 20 l-10 10" fill="none" stroke="#3ca03c" '
        'stroke-width="6" stroke-linecap="round" stroke-linejoin="round"/></g>'), 6)
    anim("twinkle.gif", 10, (48, 48), lambda t: (
        f'<g transform="translate(24 24) scale({0.6 + 0.4 * abs(math.sin(math.pi * t)):.2f}) '
        f'rotate({36 * t}) translate(-12 -12)">'
        '<path d="M12 0 L14.8 8.8 L24 12 L14.8 15.2 L12 24 L9.2 15.2 L0 12 L9.2 8.8 Z" '
        'fill="#ffc800"/></g>'), 7)
    anim("globe.gif", 16, (48, 48), lambda t: (
        '<circle cx="24" cy="24" r="20" fill="#5aa7ff"/>' + "".join(
            f'<ellipse cx="24" cy="24" rx="{abs(20 * math.cos(math.pi * ((t + k / 4) % 1))):.2f}" '
            'ry="20" fill="none" stroke="#ffffff" stroke-opacity="0.7" stroke-width="1.5"/>'
            for k in range(4)) + '<path d="M4 24 H44 M8 14 H40 M8 34 H40" stroke="#fff" '
        'stroke-opacity="0.7" stroke-width="1.5"/>'), 8)


def write_wav(path, samples, rate=22050):
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(b"".join(struct.pack("<h", max(-32767, min(32767, int(s * 32767))))
                               for s in samples))


def envelope(n, i, attack=0.005, rate=22050):
    a = int(attack * rate)
    return min(1.0, i / a if a else 1.0) * (1 - i / n) ** 2


def tone(freqs, seconds, rate=22050, volume=0.5, decay=True):
    n = int(seconds * rate)
    out = []
    for i in range(n):
        t = i / rate
        v = sum(math.sin(2 * math.pi * f * t) * (0.6 ** k) for k, f in enumerate(freqs))
        out.append(volume * v * (envelope(n, i) if decay else 1.0))
    return out


def make_sounds(out):
    d = os.path.join(out, "Sounds")
    os.makedirs(d, exist_ok=True)
    rate = 22050
    write_wav(os.path.join(d, "click.wav"), tone([1800, 3600], 0.04, volume=0.6))
    write_wav(os.path.join(d, "beep.wav"), tone([880], 0.25, volume=0.4))
    chime = []
    for f in (1046.5, 1318.5, 1568.0):
        chime += tone([f, 2 * f], 0.35, volume=0.35)
    write_wav(os.path.join(d, "chime.wav"), chime)
    write_wav(os.path.join(d, "doorbell.wav"), tone([659.3, 1318.5], 0.6, volume=0.4) +
              tone([523.3, 1046.5], 0.9, volume=0.4))
    fanfare = []
    for f, dur in ((523.3, 0.15), (659.3, 0.15), (784.0, 0.15), (1046.5, 0.6)):
        fanfare += tone([f, 2 * f, 3 * f], dur, volume=0.3)
    write_wav(os.path.join(d, "fanfare.wav"), fanfare)
    rng = random.Random(7)
    n = int(0.7 * rate)
    whoosh, low = [], 0.0
    for i in range(n):
        k = 0.02 + 0.5 * math.sin(math.pi * i / n)  # a low-pass that opens and closes
        low += k * (rng.uniform(-1, 1) - low)
        whoosh.append(0.9 * low * math.sin(math.pi * i / n))
    write_wav(os.path.join(d, "whoosh.wav"), whoosh)
    n = int(0.12 * rate)
    write_wav(os.path.join(d, "pop.wav"),
              [0.7 * math.sin(2 * math.pi * (600 - 3000 * i / n) * i / rate) * envelope(n, i)
               for i in range(n)])
    n = int(1.2 * rate)
    write_wav(os.path.join(d, "alarm.wav"),
              [0.35 * math.copysign(1, math.sin(2 * math.pi * (700 if (i // 2205) % 2 else 950)
                                                * i / rate)) * (1 - i / n) for i in range(n)])


def make_videos(out, work):
    d = os.path.join(out, "Videos")
    os.makedirs(d, exist_ok=True)
    w, h, fps = 320, 240, 15

    def video(name, seconds, draw):
        folder = os.path.join(work, name)
        os.makedirs(folder, exist_ok=True)
        count = seconds * fps
        for i in range(count):
            render(svg_doc(w, h, draw(i / count)), os.path.join(folder, f"f{i:04d}.png"), w, h)
        run("ffmpeg", "-y", "-loglevel", "error", "-framerate", str(fps), "-i",
            os.path.join(folder, "f%04d.png"), "-c:v", "libvpx", "-b:v", "300k", "-pix_fmt",
            "yuv420p", "-an", os.path.join(d, name))

    def sunrise(t):
        y = 200 - 150 * t
        sky = f"rgb({int(40 + 200 * t)},{int(60 + 130 * t)},{int(120 + 100 * t)})"
        return (f'<rect width="{w}" height="{h}" fill="{sky}"/>'
                f'<circle cx="160" cy="{y:.1f}" r="34" fill="#ffd34d"/>'
                '<path d="M0 190 C80 160 140 200 200 180 S300 170 320 185 V240 H0 Z" '
                'fill="#2f6b3a"/>')

    def ball(t):
        x = 30 + 260 * (0.5 - 0.5 * math.cos(2 * math.pi * t))
        y = 190 - 150 * abs(math.sin(3 * math.pi * t))
        return (f'<rect width="{w}" height="{h}" fill="#f4f4f2"/>'
                '<rect y="210" width="320" height="30" fill="#c8b89a"/>'
                f'<ellipse cx="{x:.1f}" cy="212" rx="18" ry="4" fill="#0003"/>'
                f'<circle cx="{x:.1f}" cy="{y:.1f}" r="20" fill="#e05a24"/>')

    video("Sunrise.webm", 4, sunrise)
    video("Bouncing Ball.webm", 4, ball)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--out", default=DEFAULT_OUT)
    args = parser.parse_args()
    random.seed(1)
    work = tempfile.mkdtemp(prefix="clipart-")
    try:
        make_images(args.out, work)
        make_backgrounds(args.out)
        make_animations(args.out, work)
        make_sounds(args.out)
        make_videos(args.out, work)
    finally:
        shutil.rmtree(work)


if __name__ == "__main__":
    main()

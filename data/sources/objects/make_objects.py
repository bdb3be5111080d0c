#!/usr/bin/env python3
"""Writes the ready-made page objects into data/Bin/Objects/.

Each object is defined below once: its category, name, one-line description, the HTML it
inserts, the script file it brings and the icon drawn for it. The script writes, per category
folder, one "<name>.ico" per object (rendered from an SVG drawing), the object's script file and
the category's Objects.ini.

Objects.ini values are single lines (the gallery reads them without newline decoding and the
profile reader trims each line), so every HTML line becomes one numbered piece "0", "1", ...
and the pieces are joined with nothing in between: scripts are written with explicit semicolons
and without line comments. "$(L0)" in the HTML is replaced by a fresh "R<number>" at each
insertion, which keeps two copies of one object on a page apart; the L0 file is copied into the
page's resource folder. The script is also inlined in the HTML, so the object works wherever
that folder is and with nothing else loaded.

    python3 data/sources/objects/make_objects.py [--out data/Bin/Objects]

Needs rsvg-convert and ImageMagick's convert only to regenerate; the output is kept in the
repository.
"""
import argparse
import os
import subprocess
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_OUT = os.path.normpath(os.path.join(HERE, "..", "..", "Bin", "Objects"))


def icon_svg(body, top, bottom):
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">'
            f'<defs><linearGradient id="g" x1="0" y1="0" x2="0" y2="1"><stop offset="0" '
            f'stop-color="{top}"/><stop offset="1" stop-color="{bottom}"/></linearGradient>'
            '</defs><rect x="1" y="1" width="30" height="30" rx="6" fill="url(#g)" '
            f'stroke="#0004"/>{body}</svg>')


OBJECTS = [
    {
        "category": "Clocks and Dates",
        "name": "Digital Clock",
        "desc": "A clock that shows the visitor's local time and ticks every second",
        "file": "clock.js",
        "icon": icon_svg('<circle cx="16" cy="16" r="10" fill="#fff"/><path d="M16 9 V16 L21 19" '
                         'stroke="#234" stroke-width="2.2" fill="none" stroke-linecap="round"/>',
                         "#5aa7ff", "#1d5fbf"),
        "script": """
(function () {
  var el = document.getElementById("$(L0)");
  if (!el) return;
  function two(n) { return (n < 10 ? "0" : "") + n; }
  function tick() {
    var d = new Date();
    el.textContent = two(d.getHours()) + ":" + two(d.getMinutes()) + ":" + two(d.getSeconds());
  }
  tick();
  setInterval(tick, 1000);
})();
""",
        "html": """
<span id="$(L0)" class="pelion-clock" style="font: bold 20px monospace; padding: 2px 8px; border: 1px solid #888; border-radius: 4px; background: #111; color: #7cf27c">00:00:00</span>
<script>$(SCRIPT)</script>
""",
    },
    {
        "category": "Clocks and Dates",
        "name": "Today's Date",
        "desc": "Today's date written out in the visitor's language, e.g. Thursday, 10 December 2026",
        "file": "today.js",
        "icon": icon_svg('<rect x="7" y="9" width="18" height="15" rx="2" fill="#fff"/><rect x="7" '
                         'y="9" width="18" height="4" fill="#e02424"/><text x="16" y="22.5" '
                         'font-family="DejaVu Sans" font-size="8" font-weight="bold" '
                         'text-anchor="middle" fill="#333">10</text>', "#ffb35a", "#d0661a"),
        "script": """
(function () {
  var el = document.getElementById("$(L0)");
  if (!el) return;
  var options = { weekday: "long", year: "numeric", month: "long", day: "numeric" };
  el.textContent = new Date().toLocaleDateString(undefined, options);
})();
""",
        "html": """
<span id="$(L0)" class="pelion-date">Today's date</span>
<script>$(SCRIPT)</script>
""",
    },
    {
        "category": "Clocks and Dates",
        "name": "Countdown",
        "desc": "Counts the days, hours and minutes down to a date (change data-until in the page)",
        "file": "countdown.js",
        "icon": icon_svg('<path d="M10 7 H22 L16 16 L22 25 H10 L16 16 Z" fill="#fff"/>',
                         "#9c8cff", "#4b37c9"),
        "script": """
(function () {
  var el = document.getElementById("$(L0)");
  if (!el) return;
  var until = new Date(el.getAttribute("data-until"));
  function show() {
    var left = Math.max(0, until.getTime() - Date.now());
    var minutes = Math.floor(left / 60000);
    var days = Math.floor(minutes / 1440);
    var hours = Math.floor((minutes % 1440) / 60);
    el.textContent = isNaN(left) ? "" : days + " days, " + hours + " hours, " + (minutes % 60) + " minutes";
  }
  show();
  setInterval(show, 30000);
})();
""",
        "html": """
<span id="$(L0)" class="pelion-countdown" data-until="2027-01-01T00:00:00">days, hours, minutes</span>
<script>$(SCRIPT)</script>
""",
    },
    {
        "category": "Navigation",
        "name": "Drop-down Menu",
        "desc": "A menu button that opens a list of links when clicked (edit the links in the page)",
        "file": "menu.js",
        "icon": icon_svg('<rect x="6" y="7" width="20" height="5" rx="1" fill="#fff"/><rect x="9" '
                         'y="14" width="14" height="3" fill="#fff" opacity="0.85"/><rect x="9" '
                         'y="19" width="14" height="3" fill="#fff" opacity="0.85"/><rect x="9" '
                         'y="24" width="14" height="3" fill="#fff" opacity="0.85"/>',
                         "#7fd36b", "#2f8a22"),
        "script": """
(function () {
  var box = document.getElementById("$(L0)");
  if (!box) return;
  var button = box.querySelector("button");
  var list = box.querySelector("ul");
  function setOpen(open) {
    list.style.display = open ? "block" : "none";
    button.setAttribute("aria-expanded", open ? "true" : "false");
  }
  setOpen(false);
  button.addEventListener("click", function (e) {
    e.stopPropagation();
    setOpen(list.style.display === "none");
  });
  document.addEventListener("click", function () { setOpen(false); });
  document.addEventListener("keydown", function (e) { if (e.key === "Escape") setOpen(false); });
})();
""",
        "html": """
<div id="$(L0)" class="pelion-menu" style="position: relative; display: inline-block; font-family: sans-serif">
<button type="button" aria-haspopup="true" aria-expanded="false" style="padding: 6px 14px; border: 1px solid #2f8a22; border-radius: 4px; background: #3ca03c; color: #fff; font-weight: bold; cursor: pointer">Menu &#9662;</button>
<ul style="position: absolute; left: 0; top: 100%; margin: 2px 0 0; padding: 4px 0; min-width: 160px; list-style: none; background: #fff; border: 1px solid #aaa; border-radius: 4px; box-shadow: 0 3px 8px rgba(0,0,0,0.25); z-index: 100">
<li><a href="index.html" style="display: block; padding: 5px 14px; color: #234; text-decoration: none">Home</a></li>
<li><a href="page0001.html" style="display: block; padding: 5px 14px; color: #234; text-decoration: none">About us</a></li>
<li><a href="page0002.html" style="display: block; padding: 5px 14px; color: #234; text-decoration: none">Contact</a></li>
</ul>
</div>
<script>$(SCRIPT)</script>
""",
    },
    {
        "category": "Navigation",
        "name": "Back to Top",
        "desc": "A button that appears once the visitor scrolls down and brings them back to the top",
        "message": "The Back to Top button sits at the bottom right of the browser window once the visitor has scrolled down; in the editor it shows where it was inserted.",
        "file": "backtotop.js",
        "icon": icon_svg('<path d="M8 19 L16 10 L24 19" fill="none" stroke="#fff" stroke-width="3.5" '
                         'stroke-linecap="round" stroke-linejoin="round"/><rect x="8" y="22" '
                         'width="16" height="3" rx="1" fill="#fff"/>', "#4fc2c2", "#1f7f86"),
        "script": """
(function () {
  var button = document.getElementById("$(L0)");
  if (!button) return;
  function update() { button.style.display = window.scrollY > 200 ? "block" : "none"; }
  button.addEventListener("click", function () { window.scrollTo({ top: 0, behavior: "smooth" }); });
  window.addEventListener("scroll", update);
  update();
})();
""",
        "html": """
<button type="button" id="$(L0)" class="pelion-top" title="Back to top" style="position: fixed; right: 20px; bottom: 20px; width: 44px; height: 44px; border: none; border-radius: 22px; background: #1f7f86; color: #fff; font-size: 22px; cursor: pointer; box-shadow: 0 2px 6px rgba(0,0,0,0.3)">&#9650;</button>
<script>$(SCRIPT)</script>
""",
    },
    {
        "category": "Navigation",
        "name": "Last Updated",
        "desc": "Shows when the page file was last changed on the server",
        "file": "updated.js",
        "icon": icon_svg('<circle cx="16" cy="16" r="9" fill="none" stroke="#fff" stroke-width="2.5"/>'
                         '<path d="M16 11 V16 H20" stroke="#fff" stroke-width="2.5" fill="none"/>',
                         "#ef6f6f", "#b32626"),
        "script": """
(function () {
  var el = document.getElementById("$(L0)");
  if (!el) return;
  var d = new Date(document.lastModified);
  if (!isNaN(d.getTime()))
    el.textContent = "Last updated: " + d.toLocaleDateString(undefined, { year: "numeric", month: "long", day: "numeric" });
})();
""",
        "html": """
<span id="$(L0)" class="pelion-updated" style="font-size: smaller; color: #666">Last updated</span>
<script>$(SCRIPT)</script>
""",
    },
    {
        "category": "Text Effects",
        "name": "Typewriter",
        "desc": "Types its text letter by letter, as on a typewriter",
        "file": "typewriter.js",
        "icon": icon_svg('<text x="16" y="22" font-family="DejaVu Sans Mono" font-size="14" '
                         'font-weight="bold" text-anchor="middle" fill="#fff">Ab_</text>',
                         "#6f7f90", "#2f3b48"),
        "script": """
(function () {
  var el = document.getElementById("$(L0)");
  if (!el) return;
  var text = el.getAttribute("data-text") || el.textContent;
  var shown = 0;
  el.textContent = "";
  var timer = setInterval(function () {
    shown += 1;
    el.textContent = text.slice(0, shown);
    if (shown >= text.length) clearInterval(timer);
  }, 80);
})();
""",
        "html": """
<span id="$(L0)" class="pelion-typewriter" style="font-family: monospace; font-size: 18px" data-text="Welcome to my home page!">Welcome to my home page!</span>
<script>$(SCRIPT)</script>
""",
    },
    {
        "category": "Text Effects",
        "name": "Rainbow Text",
        "desc": "Text whose letters glow in the colours of the rainbow, moving along",
        "file": "rainbow.js",
        "icon": icon_svg('<path d="M6 22 A10 10 0 0 1 26 22" fill="none" stroke="#ff4040" '
                         'stroke-width="3"/><path d="M9 22 A7 7 0 0 1 23 22" fill="none" '
                         'stroke="#ffd040" stroke-width="3"/><path d="M12 22 A4 4 0 0 1 20 22" '
                         'fill="none" stroke="#40c0ff" stroke-width="3"/>', "#ffffff", "#d8e4f0"),
        "script": """
(function () {
  var el = document.getElementById("$(L0)");
  if (!el) return;
  var text = el.textContent;
  el.textContent = "";
  var letters = [];
  for (var i = 0; i < text.length; i++) {
    var s = document.createElement("span");
    s.textContent = text.charAt(i);
    el.appendChild(s);
    letters.push(s);
  }
  var step = 0;
  function paint() {
    for (var i = 0; i < letters.length; i++)
      letters[i].style.color = "hsl(" + ((i * 25 + step * 12) % 360) + ", 85%, 45%)";
    step += 1;
  }
  paint();
  setInterval(paint, 120);
})();
""",
        "html": """
<span id="$(L0)" class="pelion-rainbow" style="font-weight: bold; font-size: 22px">Colourful greetings!</span>
<script>$(SCRIPT)</script>
""",
    },
    {
        "category": "Text Effects",
        "name": "Scrolling Message",
        "desc": "A message that scrolls across the page from right to left",
        "file": "scroller.js",
        "icon": icon_svg('<rect x="4" y="11" width="24" height="10" rx="2" fill="#fff"/><path '
                         'd="M9 16 H23 M9 16 l3 -3 M9 16 l3 3" stroke="#d0661a" stroke-width="2" '
                         'fill="none" stroke-linecap="round"/>', "#ffb35a", "#d0661a"),
        "script": """
(function () {
  var box = document.getElementById("$(L0)");
  if (!box) return;
  var inner = box.firstElementChild;
  var x = box.clientWidth;
  function move() {
    x -= 2;
    if (x < -inner.offsetWidth) x = box.clientWidth;
    inner.style.transform = "translateX(" + x + "px)";
    requestAnimationFrame(move);
  }
  requestAnimationFrame(move);
})();
""",
        "html": """
<div id="$(L0)" class="pelion-scroller" style="overflow: hidden; white-space: nowrap; border: 1px solid #d0661a; background: #fff6ea; padding: 4px 0">
<span style="display: inline-block; font-weight: bold; color: #a04010">News: our new pages are online. Have a look around!</span>
</div>
<script>$(SCRIPT)</script>
""",
    },
    {
        "category": "Page Tools",
        "name": "Print Button",
        "desc": "A button that prints the page",
        "file": "print.js",
        "icon": icon_svg('<rect x="9" y="6" width="14" height="7" fill="#fff"/><rect x="5" y="12" '
                         'width="22" height="10" rx="2" fill="#dfe6ee"/><rect x="9" y="18" '
                         'width="14" height="8" fill="#fff" stroke="#555"/>', "#8d9aa8", "#4a5866"),
        "script": """
(function () {
  var button = document.getElementById("$(L0)");
  if (button) button.addEventListener("click", function () { window.print(); });
})();
""",
        "html": """
<button type="button" id="$(L0)" class="pelion-print" style="padding: 5px 12px; cursor: pointer">&#128438; Print this page</button>
<script>$(SCRIPT)</script>
""",
    },
    {
        "category": "Page Tools",
        "name": "Email Link",
        "desc": "An e-mail link whose address is put together in the browser, out of sight of address harvesters",
        "file": "email.js",
        "icon": icon_svg('<rect x="5" y="9" width="22" height="15" rx="2" fill="#fff"/><path d="M5.5 '
                         '9.5 L16 18 L26.5 9.5" fill="none" stroke="#555" stroke-width="1.6"/>',
                         "#5aa7ff", "#1d5fbf"),
        "script": """
(function () {
  var link = document.getElementById("$(L0)");
  if (!link) return;
  var address = link.getAttribute("data-user") + "@" + link.getAttribute("data-domain");
  link.href = "mailto:" + address;
  link.textContent = address;
})();
""",
        "html": """
<a id="$(L0)" class="pelion-email" data-user="me" data-domain="example.org" href="#">me at example.org</a>
<script>$(SCRIPT)</script>
""",
    },
    {
        "category": "Page Tools",
        "name": "Hit Counter",
        "desc": "Counts this visitor's visits to the page (kept in the visitor's browser)",
        "file": "visits.js",
        "icon": icon_svg('<rect x="5" y="10" width="22" height="12" rx="2" fill="#111"/><text x="16" '
                         'y="20" font-family="DejaVu Sans Mono" font-size="9" fill="#7cf27c" '
                         'text-anchor="middle">0042</text>', "#8d9aa8", "#4a5866"),
        "script": """
(function () {
  var el = document.getElementById("$(L0)");
  if (!el) return;
  var key = "pelion-visits:" + location.pathname;
  var count = 1;
  try {
    count = (parseInt(localStorage.getItem(key), 10) || 0) + 1;
    localStorage.setItem(key, String(count));
  } catch (e) {}
  el.textContent = "You have visited this page " + count + (count === 1 ? " time." : " times.");
})();
""",
        "html": """
<span id="$(L0)" class="pelion-visits">You have visited this page</span>
<script>$(SCRIPT)</script>
""",
    },
]


def one_line_script(script):
    lines = [line.strip() for line in script.strip().splitlines()]
    return " ".join(line for line in lines if line)


def render_icon(svg, ico):
    with tempfile.TemporaryDirectory() as work:
        src = os.path.join(work, "icon.svg")
        png = os.path.join(work, "icon.png")
        with open(src, "w") as f:
            f.write(svg)
        subprocess.run(["rsvg-convert", "-w", "32", "-h", "32", "-o", png, src], check=True)
        subprocess.run(["convert", png, ico], check=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--out", default=DEFAULT_OUT)
    args = parser.parse_args()
    sections = {}
    for ob in OBJECTS:
        folder = os.path.join(args.out, ob["category"])
        os.makedirs(folder, exist_ok=True)
        script = one_line_script(ob["script"])
        with open(os.path.join(folder, ob["file"]), "w", newline="\n") as f:
            f.write(ob["script"].lstrip())
        render_icon(ob["icon"], os.path.join(folder, ob["name"] + ".ico"))
        pieces = [line.strip().replace("$(SCRIPT)", script)
                  for line in ob["html"].strip().splitlines() if line.strip()]
        lines = [f"[{ob['name']}]", f"Desc={ob['desc']}"]
        lines += [f"{n}={piece}" for n, piece in enumerate(pieces)]
        lines.append(f"L0=$(App)Bin/Objects/{ob['category']}/{ob['file']}")
        if "message" in ob:
            lines.append(f"Message={ob['message']}")
        sections.setdefault(ob["category"], []).append("\r\n".join(lines))
    for category, texts in sections.items():
        with open(os.path.join(args.out, category, "Objects.ini"), "w", newline="") as f:
            f.write("\r\n\r\n".join(texts) + "\r\n")


if __name__ == "__main__":
    main()

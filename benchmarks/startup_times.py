#!/usr/bin/env python3
"""Start-up times of Pelion Web Builder with a 2 KB page named on the command line.

Starts the program RUNS times (default 7) and prints, from process start, when the main window
was first painted and when the page was loaded, titled and editable, with the median of each.
The program reports both moments itself when PELION_STARTUP_TRACE is set ("quit" makes it end
after the page is editable). Without a display the runs happen under xvfb-run.

    benchmarks/startup_times.py [--program build/program/pelion] [--runs 7]
"""
import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))


def make_page(folder):
    paragraph = "<p>Start-up timing page: a paragraph of ordinary text to edit.</p>\n"
    body = paragraph * (2048 // len(paragraph))
    path = os.path.join(folder, "startup.html")
    with open(path, "w", encoding="utf-8") as page:
        page.write("<html><head><title>Start-up page</title></head>\n<body>\n%s</body></html>\n"
                   % body)
    return path


def run_once(program, page, env):
    started = time.time()
    process = subprocess.Popen([program, page], env=env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.PIPE, text=True)
    marks = {}
    for line in process.stderr:
        if line.startswith("pelion-startup: "):
            what, at = line.split()[1:3]
            marks.setdefault(what, float(at) - started)
    code = process.wait(timeout=120)
    if code != 0 or "page-editable" not in marks:
        raise SystemExit("pelion ended with %d before the page was editable" % code)
    return marks["window-visible"], marks["page-editable"]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", default=os.path.join(HERE, "..", "build", "program",
                                                          "pelion"))
    parser.add_argument("--runs", type=int, default=7)
    args = parser.parse_args()

    if not os.environ.get("DISPLAY") and not os.environ.get("WAYLAND_DISPLAY") \
            and not os.environ.get("QT_QPA_PLATFORM"):
        command = ["xvfb-run", "-a", "-s", "-screen 0 1280x1024x24", sys.executable,
                   os.path.abspath(__file__)] + sys.argv[1:]
        raise SystemExit(subprocess.call(command))

    program = os.path.abspath(args.program)
    env = dict(os.environ, PELION_STARTUP_TRACE="quit")
    with tempfile.TemporaryDirectory(prefix="pelion-startup-") as folder:
        # A home of its own: recent files and settings of the runs stay out of the user's.
        env["HOME"] = folder
        env.pop("XDG_CONFIG_HOME", None)
        env.pop("XDG_CACHE_HOME", None)
        page = make_page(folder)
        run_once(program, page, env)  # warms the file cache; not counted
        windows, pages = [], []
        for run in range(args.runs):
            window, editable = run_once(program, page, env)
            windows.append(window)
            pages.append(editable)
            print("run %d: window visible %.3f s, page editable %.3f s" % (run + 1, window,
                                                                           editable))
    print("median of %d: window visible %.3f s, page editable %.3f s"
          % (args.runs, statistics.median(windows), statistics.median(pages)))


if __name__ == "__main__":
    main()

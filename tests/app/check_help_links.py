#!/usr/bin/env python3
"""Fails when a link, picture or style sheet of the shipped help pages does not resolve.

Checks every href and src of every .html file in the folder given (data/Manual): a relative
reference must name an existing file inside that folder, and a "#name" part must name an id or
an anchor of the page it points into. Addresses with a scheme (http:, mailto:) are not fetched.
"""
import html.parser
import os
import sys
import urllib.parse


class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.refs = []
        self.ids = set()

    def handle_starttag(self, tag, attrs):
        for name, value in attrs:
            if name in ("id",) or (tag == "a" and name == "name"):
                self.ids.add(value)
            if name in ("href", "src") and value is not None:
                self.refs.append((tag, value))


def parse(path):
    page = Page()
    with open(path, encoding="utf-8") as f:
        page.feed(f.read())
    return page


def main(folder):
    folder = os.path.realpath(folder)
    pages = {}
    problems = []
    names = [n for n in sorted(os.listdir(folder)) if n.endswith(".html")]
    if not names:
        problems.append(f"no help pages in {folder}")
    for name in names:
        pages[os.path.join(folder, name)] = parse(os.path.join(folder, name))
    for path, page in pages.items():
        for tag, ref in page.refs:
            parts = urllib.parse.urlsplit(ref)
            if parts.scheme:
                continue
            target = path if not parts.path else os.path.realpath(
                os.path.join(os.path.dirname(path), urllib.parse.unquote(parts.path)))
            where = f"{os.path.basename(path)}: <{tag}> {ref}"
            if not target.startswith(folder + os.sep):
                problems.append(f"{where} leaves the help folder")
            elif not os.path.isfile(target):
                problems.append(f"{where} names a missing file")
            elif parts.fragment:
                other = pages.get(target) or (parse(target) if target.endswith(".html") else None)
                if other is None or parts.fragment not in other.ids:
                    problems.append(f"{where} names a missing anchor")
    for p in problems:
        print(p)
    print(f"{len(pages)} pages checked, {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))

#!/usr/bin/env python3
"""Writes the large test pages of the formatting benchmark into a folder:

  large-360k.htm  1,000 paragraphs and a table of 3,000 rows (about 360 KB)
  large-5m.htm    the same mix, repeated until the page is about 5 MB

Usage: make_large_pages.py [FOLDER]   (default: the current folder)
The pages are the same on every run, so figures taken on them can be compared.
"""
import os
import sys


def paragraph(i):
    return ('<p>Paragraph %d of the report, with some <b>bold</b> words, an <i>emphasis</i> '
            'and <a href="page%d.htm">a link</a> to the next part of the page.</p>\n' % (i, i % 50))


def row(i):
    return ('<tr><td>%d</td><td>Item %d</td><td>%d.%02d</td><td>Group %d</td></tr>\n'
            % (i, i, i * 7 % 1000, i % 100, i % 12))


def section(first_paragraph, paragraphs, first_row, rows):
    parts = ['<h2>Section %d</h2>\n' % (first_paragraph // paragraphs + 1)]
    parts += [paragraph(first_paragraph + i) for i in range(paragraphs)]
    parts.append('<table border="1">\n<tr><th>No.</th><th>Name</th><th>Value</th>'
                 '<th>Group</th></tr>\n')
    parts += [row(first_row + i) for i in range(rows)]
    parts.append('</table>\n')
    return ''.join(parts)


def page(sections):
    head = ('<!DOCTYPE html>\n<html><head><meta charset="utf-8"><title>Large page</title>'
            '</head><body>\n')
    return head + ''.join(sections) + '<p>END MARK</p>\n</body></html>\n'


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else '.'
    os.makedirs(folder, exist_ok=True)
    small = page([section(0, 1000, 0, 3000)])
    with open(os.path.join(folder, 'large-360k.htm'), 'w', encoding='utf-8') as f:
        f.write(small)
    sections, size, n = [], 0, 0
    while size < 5 * 1024 * 1024:
        s = section(n * 1000, 1000, n * 3000, 3000)
        sections.append(s)
        size += len(s)
        n += 1
    with open(os.path.join(folder, 'large-5m.htm'), 'w', encoding='utf-8') as f:
        f.write(page(sections))
    for name in ('large-360k.htm', 'large-5m.htm'):
        print('%s: %d bytes' % (name, os.path.getsize(os.path.join(folder, name))))


if __name__ == '__main__':
    main()

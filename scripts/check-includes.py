#!/usr/bin/env python3
"""Finds circles in the #include graph of src/ that cross folders.

A header and its .cpp count as one unit (src/page/CCEditView.{h,cpp} is "page/CCEditView"); unit
A depends on unit B when a file of A includes a header of B. Every strongly connected group of
units that spans more than one folder is a circle between folders and is reported with one path
round it. Exit status: 0 when there is none, 1 otherwise.

  scripts/check-includes.py            check src/ of this checkout
  scripts/check-includes.py --folders  also print which folder includes which

scripts/include-circles.known lists circles that are known and being taken apart (the units of
one circle on a line, sorted, separated by spaces); they are reported but do not fail the check.
"""
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
SOURCE_SUFFIXES = ('.h', '.hpp', '.cpp', '.cc')


def units(src):
    """unit -> set of units it includes (only units inside src)."""
    files = []
    for root, _, names in os.walk(src):
        for name in names:
            if name.endswith(SOURCE_SUFFIXES):
                files.append(os.path.join(root, name))
    unit_of = lambda path: os.path.splitext(os.path.relpath(path, src))[0]
    known = {os.path.relpath(f, src) for f in files}
    graph = {unit_of(f): set() for f in files}
    for path in files:
        here = os.path.relpath(os.path.dirname(path), src)
        with open(path, encoding='utf-8', errors='replace') as handle:
            for line in handle:
                match = INCLUDE.match(line)
                if not match:
                    continue
                name = match.group(1)
                # "folder/File.h" from src/, or "File.h" beside the including file.
                for candidate in (os.path.normpath(name), os.path.normpath(os.path.join(here, name))):
                    if candidate in known:
                        target = os.path.splitext(candidate)[0]
                        if target != unit_of(path):
                            graph[unit_of(path)].add(target)
                        break
    return graph


def strongly_connected(graph):
    """Tarjan's algorithm, iterative; returns the groups of more than one unit."""
    index, low, on_stack, stack, groups = {}, {}, set(), [], []
    counter = 0
    for start in sorted(graph):
        if start in index:
            continue
        work = [(start, iter(sorted(graph[start])))]
        index[start] = low[start] = counter
        counter += 1
        stack.append(start)
        on_stack.add(start)
        while work:
            node, children = work[-1]
            advanced = False
            for child in children:
                if child not in index:
                    index[child] = low[child] = counter
                    counter += 1
                    stack.append(child)
                    on_stack.add(child)
                    work.append((child, iter(sorted(graph[child]))))
                    advanced = True
                    break
                if child in on_stack:
                    low[node] = min(low[node], index[child])
            if advanced:
                continue
            work.pop()
            if work:
                parent = work[-1][0]
                low[parent] = min(low[parent], low[node])
            if low[node] == index[node]:
                group = []
                while True:
                    member = stack.pop()
                    on_stack.discard(member)
                    group.append(member)
                    if member == node:
                        break
                if len(group) > 1:
                    groups.append(sorted(group))
    return groups


def path_round(graph, group):
    """A shortest circle through the group's first unit (breadth first inside the group)."""
    members = set(group)
    start = group[0]
    previous = {start: None}
    queue = [start]
    while queue:
        node = queue.pop(0)
        for child in sorted(graph[node]):
            if child == start:
                path = [node]
                while previous[path[-1]] is not None:
                    path.append(previous[path[-1]])
                return list(reversed(path)) + [start]
            if child in members and child not in previous:
                previous[child] = node
                queue.append(child)
    return group


def folder(unit):
    return unit.split('/', 1)[0] if '/' in unit else '.'


def main(argv):
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    src = os.path.join(root, 'src')
    graph = units(src)
    if '--folders' in argv:
        edges = {}
        for unit, targets in graph.items():
            for target in targets:
                if folder(unit) != folder(target):
                    edges.setdefault(folder(unit), set()).add(folder(target))
        for name in sorted(edges):
            print(f'{name} -> {" ".join(sorted(edges[name]))}')
    known = set()
    known_path = os.path.join(root, 'scripts', 'include-circles.known')
    if os.path.exists(known_path):
        with open(known_path, encoding='utf-8') as handle:
            known = {' '.join(sorted(line.split())) for line in handle
                     if line.strip() and not line.startswith('#')}
    failures = 0
    for group in strongly_connected(graph):
        if len({folder(unit) for unit in group}) < 2:
            continue
        if ' '.join(group) in known:
            print('known include circle: ' + ' -> '.join(path_round(graph, group)))
            continue
        failures += 1
        print('include circle between folders: ' + ' -> '.join(path_round(graph, group)))
        if len(group) > 2:
            print('  all units in it: ' + ', '.join(group))
    if failures:
        print(f'{failures} circle(s); break them (an interface, or the code moved to the lower '
              'folder) so that every folder includes only folders below it.')
        return 1
    print('no new include circle between folders of src/')
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))

#!/usr/bin/env python3
"""Checks that the layers point one way (docs/layers.md).

Reads every #include "..." in the source folders, maps the including file and
the included path to their layers, and prints one line per include that the
table below does not allow. Exits with 1 when there is any.

  check-layers.py [SOURCE_ROOT] [--targets DOT]

With --targets, also checks that the CMake target graph written by
`cmake --graphviz=DOT` has no cycle.
"""

import os
import re
import sys

# Each layer and the layers its files may include (its own always).
PROGRAM_TIER = ["procs", "settings", "SHprinters", "picture", "resources"]
PLATFORM = ["platform", "platform/rules"]
ALLOWED = {
    "app": ["main", "procs"] + PLATFORM,
    "main": PROGRAM_TIER + ["toolkit"] + PLATFORM,
    "procs": ["settings"] + PLATFORM,
    "settings": PLATFORM,
    "SHprinters": PLATFORM,
    "picture": ["toolkit", "platform"],
    "resources": ["toolkit"],
    "toolkit": ["platform"],
    # Service interfaces over the pure rules; the rules include nothing else.
    "platform": ["platform/rules"],
    "platform/rules": [],
    # Backends: included by nobody but themselves and the tests.
    "platform/common": PLATFORM,
    "platform/win32": PLATFORM + ["platform/common"],
    "platform/posix": PLATFORM + ["platform/common"],
    "platform/fake": PLATFORM + ["platform/common"],
    # The Win32 binding reaches <windows.h> through platform/win32's one
    # wrapper header, and uses its handle owners.
    "toolkit/win32": ["toolkit", "platform/win32", "platform"],
    "toolkit/posix": ["toolkit"],
    # The program's services on Linux: Ghostscript (whose registry key procs
    # names) through the user's own folder.
    "app/posix": ["app", "procs", "platform/posix"] + PLATFORM,
    "app/win32": ["app"],
}
# Longest first, so that "platform/win32/windows_api.h" is not taken for "platform".
LAYERS = sorted(ALLOWED, key=len, reverse=True)
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def layer_of(path):
    for layer in LAYERS:
        if path == layer or path.startswith(layer + "/"):
            return layer
    return None


def sources_of(root, layer):
    """The layer's .h and .cpp files, also in its subfolders that are no
    layer of their own."""
    found = []
    for folder, subfolders, names in os.walk(os.path.join(root, layer)):
        relative = os.path.relpath(folder, root).replace(os.sep, "/")
        subfolders[:] = sorted(f for f in subfolders if f"{relative}/{f}" not in ALLOWED)
        found += [f"{relative}/{n}" for n in sorted(names) if n.endswith((".h", ".cpp"))]
    return found


def check_includes(root):
    problems = []
    for layer in ALLOWED:
        folder = os.path.join(root, layer)
        if not os.path.isdir(folder):
            continue
        for source in sources_of(root, layer):
            with open(os.path.join(root, source), encoding="latin-1") as text:
                for number, line in enumerate(text, 1):
                    match = INCLUDE.match(line)
                    if not match:
                        continue
                    included = match.group(1)
                    if not os.path.exists(os.path.join(root, included)):
                        # A path relative to the including file.
                        included = os.path.normpath(
                            os.path.join(os.path.dirname(source), included)).replace(os.sep, "/")
                    target = layer_of(included)
                    if target is None:
                        problems.append(f"{source}:{number}: includes {match.group(1)}, "
                                        "which is in no layer")
                    elif target != layer and target not in ALLOWED[layer]:
                        problems.append(f"{source}:{number}: {layer} may not include "
                                        f"{target} ({match.group(1)})")
    return problems


def check_target_graph(dot_file):
    """The cycles among the libraries of a CMake graphviz file, one line each
    (executables are left out: the test program's discovery step shows as an
    edge to itself)."""
    names, executables, links = {}, set(), []
    with open(dot_file) as text:
        for line in text:
            node = re.match(r'\s*"(node\d+)"\s*\[\s*label\s*=\s*"([^"]+)"', line)
            if node:
                names[node.group(1)] = node.group(2)
                if "shape = egg" in line:
                    executables.add(node.group(1))
            edge = re.match(r'\s*"(node\d+)"\s*->\s*"(node\d+)"', line)
            if edge:
                links.append((edge.group(1), edge.group(2)))
    edges = {}
    for before, after in links:
        if not executables & {before, after}:
            edges.setdefault(before, []).append(after)
    problems, state = [], {}

    def visit(node, path):
        state[node] = "open"
        for after in edges.get(node, []):
            if state.get(after) == "open":
                cycle = path[path.index(after):] + [after]
                problems.append("CMake targets link in a cycle: " +
                                " -> ".join(names.get(n, n) for n in cycle))
            elif after not in state:
                visit(after, path + [after])
        state[node] = "done"

    for node in list(edges):
        if node not in state:
            visit(node, [node])
    return problems


def main(arguments):
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    dot_file = None
    while arguments:
        argument = arguments.pop(0)
        if argument == "--targets":
            dot_file = arguments.pop(0)
        else:
            root = argument
    problems = check_includes(root)
    if dot_file:
        problems += check_target_graph(dot_file)
    for problem in problems:
        print(problem)
    if problems:
        print(f"{len(problems)} forbidden edge(s); the allowed ones are in docs/layers.md")
        return 1
    print("layers: every include points down")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

#!/usr/bin/env python3
"""Checks that every repository path a comment or document names exists.

Reads the tracked source, build, script and document files, finds each word
that begins with one of the repository's top-level folders and goes on with
"/" (platform/rules/path.h, tests/data/, docs/layers.md), and prints one line
for each that names nothing in the tree. Words with a placeholder or a
pattern (<target>, *, $) name no one file and are passed over, and so is
what the build makes (build/, the byte lists *.inc). Exits with 1 when
there is any.

  check-paths.py [SOURCE_ROOT]
"""

import os
import re
import subprocess
import sys

CHECKED = re.compile(r"(\.(cpp|h|def|md|py|sh|cmake|in|nsi|txt)|CMakeLists\.txt|/run)$")
PATH = re.compile(r"(?<![\w./$-])((?:\.ci|[A-Za-z_][\w-]*)/[\w./-]*[\w/])")


def tracked_files(root):
    listed = subprocess.run(["git", "-C", root, "ls-files"], capture_output=True, text=True,
                            check=True).stdout.split("\n")
    return [name for name in listed if name and CHECKED.search(name)]


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    top = {name for name in os.listdir(root) if os.path.isdir(os.path.join(root, name))}
    top.discard("build")
    problems = []
    for name in tracked_files(root):
        with open(os.path.join(root, name), encoding="utf-8", errors="replace") as text:
            for number, line in enumerate(text, 1):
                for match in PATH.finditer(line):
                    word = match.group(1)
                    after = line[match.end():match.end() + 1]
                    if word.split("/")[0] not in top or after and after in "<*$":
                        continue
                    if word.endswith(".inc"):
                        continue
                    if not os.path.exists(os.path.join(root, word.rstrip("/."))):
                        problems.append(f"{name}:{number}: names {word}, which does not exist")
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Checks the C++ sources against the repository's .clang-format.

Prints each tracked .cpp or .h file that clang-format would change, and each
line of a source or of a component list (.def, which clang-format does not
read) longer than the column limit, counted in characters as clang-format
counts them. Exits with 1 when there is any.

  check-format.py [SOURCE_ROOT]
"""

import os
import re
import subprocess
import sys


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    with open(os.path.join(root, ".clang-format"), encoding="utf-8") as config:
        limit = int(re.search(r"^ColumnLimit:\s*(\d+)", config.read(), re.M).group(1))
    listed = subprocess.run(["git", "-C", root, "ls-files", "*.cpp", "*.h", "*.def"],
                            capture_output=True, text=True, check=True).stdout.split()
    sources = [name for name in listed if not name.endswith(".def")]
    # One run for all: each file it would change is named in its warnings.
    run = subprocess.run(["clang-format", "--dry-run"] + sources, cwd=root, capture_output=True,
                         text=True, check=True)
    unformatted = {line.split(":", 1)[0] for line in run.stderr.splitlines()
                   if "warning: code should be clang-formatted" in line}
    problems = [f"{name}: not formatted (clang-format -i {name})" for name in sorted(unformatted)]
    for name in listed:
        path = os.path.join(root, name)
        with open(path, encoding="utf-8") as text:
            for number, line in enumerate(text, 1):
                columns = len(line.rstrip("\n"))
                if columns > limit:
                    problems.append(f"{name}:{number}: {columns} columns, over the limit of {limit}")
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())

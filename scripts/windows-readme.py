#!/usr/bin/env python3
"""Writes the README section for Windows users, the text between the lines
"<!-- windows-users -->" and "<!-- /windows-users -->" of README.md, as plain
text with CR LF line ends (README.txt of the release zip and the installer):

  windows-readme.py README.md README.txt

Headings are underlined, emphasis and code marks dropped, links written as
"text (address)", pictures named by their file, tables written one row a
line, and code blocks indented.
"""

import re
import sys

BEGIN, END = "<!-- windows-users -->", "<!-- /windows-users -->"


def inline(text):
    text = re.sub(r"!\[([^\]]*)\]\(([^)]*)\)",
                  lambda m: "[Picture: %s, in %s]" % (m.group(1), m.group(2).replace("/", "\\")), text)
    text = re.sub(r"\[([^\]]*)\]\(([^)]*)\)", r"\1 (\2)", text)
    text = re.sub(r"<(https?://[^>]*)>", r"\1", text)
    text = text.replace("**", "")
    return re.sub(r"`([^`]*)`", r"\1", text)


def cells(row):
    return [cell.strip() for cell in row.strip().strip("|").split("|")]


def plain(section):
    out, header, code = [], None, False
    for line in section.splitlines():
        if line.startswith("```"):
            code = not code
            continue
        if code:
            out.append("    " + line)
            continue
        heading = re.match(r"(#+)\s+(.*)", line)
        if heading:
            title = inline(heading.group(2))
            out += [title, ("=" if len(heading.group(1)) <= 2 else "-") * len(title)]
            continue
        if line.startswith("|"):
            row = cells(line)
            if all(re.fullmatch(r":?-+:?", cell) for cell in row):
                continue
            if header is None:
                header = row
                continue
            out.append("- " + "; ".join("%s: %s" % (name, inline(cell))
                                        for name, cell in zip(header, row) if cell))
            continue
        header = None
        out.append(inline(line))
    return "\n".join(out).strip() + "\n"


def main(source, output):
    text = open(source, encoding="utf-8").read()
    begin, end = text.find(BEGIN), text.find(END)
    if begin < 0 or end < begin:
        sys.exit("%s has no section between %s and its end marker" % (source, BEGIN))
    result = plain(text[begin + len(BEGIN):end])
    with open(output, "w", encoding="utf-8", newline="\r\n") as file:
        file.write(result)


if __name__ == "__main__":
    main(*sys.argv[1:3])

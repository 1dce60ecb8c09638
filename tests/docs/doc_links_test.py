#!/usr/bin/env python3
"""Every link and picture in the given Markdown files leads somewhere: a file
that exists, and for "#anchor" a heading of that file with that identifier as
GitHub and pandoc's gfm make it. Links out of the tree (http:, mailto:) are
left alone. Prints each broken link with its file and line; exits 1 if any."""
import os
import re
import sys

FENCE = re.compile(r"^\s*(```|~~~)")
CODE_SPAN = re.compile(r"`[^`]*`")
LINK = re.compile(r"!?\[(?:[^\]\[]|\[[^\]]*\])*\]\(([^)\s]+)(?:\s+\"[^\"]*\")?\)")
HEADING = re.compile(r"^(#{1,6})\s+(.*?)\s*#*\s*$")


def prose_lines(path):
    """(line number, text) of the lines outside fenced code blocks."""
    fenced = False
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            if FENCE.match(line):
                fenced = not fenced
                continue
            if not fenced:
                yield number, line


def slug(heading):
    """A heading's identifier: its text without markup, lower case, without
    punctuation but hyphens and underscores, spaces as hyphens."""
    text = re.sub(r"\[([^\]]*)\]\([^)]*\)", r"\1", heading)
    text = text.replace("`", "").replace("*", "").lower()
    text = re.sub(r"[^\w\- ]", "", text)
    return text.replace(" ", "-")


def anchors(path, cache={}):
    if path not in cache:
        seen, found = {}, set()
        for _, line in prose_lines(path):
            match = HEADING.match(line)
            if not match:
                continue
            base = slug(match.group(2))
            count = seen.get(base, 0)
            seen[base] = count + 1
            found.add(base if count == 0 else f"{base}-{count}")
        cache[path] = found
    return cache[path]


def broken_links(path):
    for number, line in prose_lines(path):
        for match in LINK.finditer(CODE_SPAN.sub("", line)):
            target = match.group(1)
            if re.match(r"^[a-z]+:", target):
                continue
            file_part, _, anchor = target.partition("#")
            linked = os.path.normpath(os.path.join(os.path.dirname(path), file_part)) \
                if file_part else path
            if not os.path.exists(linked):
                yield number, target, "no such file"
            elif anchor and linked.endswith(".md") and anchor not in anchors(linked):
                yield number, target, "no such heading"


def main(paths):
    failures = 0
    for path in paths:
        for number, target, why in broken_links(path):
            print(f"{path}:{number}: {target}: {why}")
            failures += 1
        print(f"{path}: checked")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

#!/usr/bin/env python3
"""The README's source layout table and the tree agree: every folder that
holds tracked files has its row (one job, one line), and every folder a row
names exists. Left out: the folders under tests/ (they mirror the sources),
the fuzz corpora and regressions, the platform folders (one row for all of
them, `*/linux/` and `*/win32/`), and the hidden ones (.ci, .github).
Usage: source_layout_test.py SOURCE_DIR. Prints each disagreement; exits 1
if any."""
import glob
import os
import re
import subprocess
import sys


def table_rows(readme):
    section = readme.split("## Source layout", 1)[1].split("\n## ", 1)[0]
    rows = {}
    for line in section.splitlines():
        cells = line.split("|")
        if len(cells) < 4 or set(cells[1].strip()) <= set("-"):
            continue
        for name in re.findall(r"`([^`]+)/`", cells[1]):
            rows[name] = cells[2].strip()
    rows.pop("folder", None)
    return rows


def tracked_folders(root):
    listed = subprocess.run(["git", "-C", root, "ls-files"], capture_output=True, text=True)
    if listed.returncode != 0:  # a source tree outside git: what is there but builds
        return {os.path.relpath(d, root) for d, _, _ in os.walk(root)
                if d != root and not os.path.relpath(d, root).startswith(("build", "."))}
    listed = listed.stdout.split()
    folders = set()
    for path in listed:
        parts = path.split("/")[:-1]
        for i in range(1, len(parts) + 1):
            folders.add("/".join(parts[:i]))
    return folders


def left_out(folder):
    parts = folder.split("/")
    return (parts[0] == "tests" and len(parts) > 1) or parts[0].startswith(".") or \
        "corpus" in parts or "regressions" in parts or parts[-1] in ("linux", "win32") or \
        "linux" in parts or "win32" in parts


def main():
    root = sys.argv[1]
    with open(os.path.join(root, "README.md"), encoding="utf-8") as f:
        rows = table_rows(f.read())
    failures = []
    for name, job in rows.items():
        found = glob.glob(os.path.join(root, name))
        if not found or not all(os.path.isdir(p) for p in found):
            failures.append(f"the table names {name}/, which is no folder")
        if not job or "\n" in job:
            failures.append(f"{name}/ has no one-line job")
    for folder in sorted(tracked_folders(root)):
        if not left_out(folder) and folder not in rows:
            failures.append(f"{folder}/ has no row in the README's source layout table")
    for line in failures:
        print(line)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Lists the include cycles of the sources: two folders whose files include
each other's headers (at any level: siblings, or a folder and one inside it),
longer circles between folders, and two modules (a .h/.cpp pair) that include
each other. Exits 1 when there is one, so a test can keep the tree free of
them. Includes are found the way the build finds them: by file name through
the include folders, so a name is looked up among all the sources; a name
that two platform folders both hold leads to both."""
import collections
import os
import re
import subprocess
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
SOURCE = (".h", ".cpp")


def sources(root):
    listed = subprocess.run(["git", "-C", root, "ls-files"], capture_output=True, text=True)
    names = listed.stdout.split() if listed.returncode == 0 else [
        os.path.relpath(os.path.join(d, f), root)
        for d, _, fs in os.walk(root) if "/build" not in d and "/." not in d for f in fs]
    return sorted(n for n in names if n.endswith(SOURCE) and os.path.isfile(os.path.join(root, n)))


def include_edges(root, files):
    by_name = collections.defaultdict(list)
    for path in files:
        by_name[os.path.basename(path)].append(path)
    edges = collections.defaultdict(set)
    for path in files:
        with open(os.path.join(root, path), errors="replace") as f:
            text = f.read()
        for name in INCLUDE.findall(text):
            beside = os.path.normpath(os.path.join(os.path.dirname(path), name))
            if beside in by_name.get(os.path.basename(name), []):
                targets = [beside]
            else:
                targets = [p for p in by_name.get(os.path.basename(name), []) if p.endswith(name)]
                # The same folder, then the same library, wins, as the
                # include folders have it.
                for nearer in (os.path.dirname(path), path.split("/")[0]):
                    near = [p for p in targets if p.startswith(nearer + "/")]
                    if near:
                        targets = near
                        break
            for target in targets:
                if target != path:
                    edges[path].add(target)
    return edges


def folder_pairs(edges):
    """Folder A includes folder B, each named at the level where the two
    paths part (a folder and one inside it count as a pair too)."""
    pairs = collections.defaultdict(list)
    for a, targets in edges.items():
        for b in targets:
            pa, pb = a.split("/")[:-1], b.split("/")[:-1]
            i = 0
            while i < min(len(pa), len(pb)) and pa[i] == pb[i]:
                i += 1
            fa, fb = "/".join(pa[:i + 1]), "/".join(pb[:i + 1])
            if fa != fb:
                pairs[(fa, fb)].append((a, b))
    return pairs


def circles(graph):
    """Strongly connected parts of more than one node (Tarjan)."""
    index, low, stack, on, found, counter = {}, {}, [], set(), [], [0]

    def visit(v):
        index[v] = low[v] = counter[0]
        counter[0] += 1
        stack.append(v)
        on.add(v)
        for w in sorted(graph.get(v, ())):
            if w not in index:
                visit(w)
                low[v] = min(low[v], low[w])
            elif w in on:
                low[v] = min(low[v], index[w])
        if low[v] == index[v]:
            part = []
            while True:
                w = stack.pop()
                on.discard(w)
                part.append(w)
                if w == v:
                    break
            if len(part) > 1:
                found.append(sorted(part))

    sys.setrecursionlimit(100000)
    for v in sorted(graph):
        if v not in index:
            visit(v)
    return found


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    edges = include_edges(root, sources(root))
    problems = []
    pairs = folder_pairs(edges)
    folder_graph = collections.defaultdict(set)
    for fa, fb in pairs:
        folder_graph[fa].add(fb)
    for part in circles(folder_graph):
        problems.append("folders include each other: " + " ".join(part))
        for fa in part:
            for fb in part:
                for a, b in pairs.get((fa, fb), [])[:3]:
                    problems.append(f"  {a} includes {b}")
    module = lambda p: p.rsplit(".", 1)[0]
    module_graph = collections.defaultdict(set)
    for a, targets in edges.items():
        for b in targets:
            if module(a) != module(b):
                module_graph[module(a)].add(module(b))
    for part in circles(module_graph):
        problems.append("modules include each other: " + " ".join(part))
    for line in problems:
        print(line)
    if not problems:
        print(f"no include cycles among {len(edges)} files")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())

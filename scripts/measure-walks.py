#!/usr/bin/env python3
"""The project's source files two walks through the window run through,
from the records vardex-walks wrote (scripts/measure-walks.sh runs it all).

Walk 1, "Write config" to the first byte sent:
  window thread: everything inside the click's call (mark "click"), except
    subtrees entered through Qt that do not lead to the hand-over to the
    worker (mark "hand_over"): those are observers (status line, progress
    bar, title, log pane), listed apart.
  worker thread: from the entry of the last mailbox Take before the port's
    first Write (mark "take") to the entry of that Write (mark "port_write").
Walk 2, a received image to the controls:
  worker thread: from the entry of the last port Read (mark "port_read")
    before the finished read is handed to the window (mark "outcome"; the
    last hand-over before the controls are shown) to the exit of that
    hand-over.
  window thread: the delivery call entered from the event loop (mark
    "delivery") that shows the image on the pages' controls (mark
    "controls"), and everything inside it, except subtrees entered through Qt
    that do not lead to the controls. Every other event-loop root is left out.
On the worker a span of events counts each function entered and the caller
each call came from or returned into (its call site), since the worker's loop
was entered before the recording began.
A call is entered through Qt (a signal, an event, a queued call) when its
caller is a moc-generated function (moc_*.cpp, mocs_compilation.cpp) or its
call site is neither in the project's code nor in the C++ library's headers
(std::function, algorithms call on the caller's behalf): in Qt's libraries
or Qt's headers.
Counted: .cpp files under the source tree. Not counted, but listed: headers,
generated files (moc, resources), the tool's own files (bench/walks).
A mark that is not found stops the script with an error, never a count of 0.
"""

import argparse
import os
import re
import struct
import subprocess
import sys

# The marks, as patterns searched in demangled function names. Classes move
# between files; the names are all that is needed.
MARKS = {
    "click": r"^TForm1::Button5Click\(",
    "hand_over": r"::TransferMailbox::Post\w*\(",
    "take": r"::TransferMailbox::Take\(",
    "port_write": r"::QtSerialPort::Write\(",
    "port_read": r"::QtSerialPort::Read\(",
    "outcome": r"::ReportQueue::OnOutcome\(",
    "delivery": r"::DeviceLink::DeliverReports\(",
    "controls": r"(^|::)ShowValue\(|::WindowControls::Show\(",
}

RULES = [
    "Counted: the .cpp files under the source tree that ran; headers, generated files",
    "and the tool's own files are listed apart. A call entered through Qt (its caller",
    "is a moc signal, or its call site is in Qt) that does not lead on is an observer,",
    "left out and listed apart.",
]
WALK_ONE_RULES = [
    "window thread: the click's call and everything inside it, observers left out",
    "(leading on = reaching the hand-over to the worker, mark 'hand_over');",
    "worker thread: from the entry of the last mailbox Take before the port's first",
    "Write to that Write's entry, with the callers it returns into.",
]
WALK_TWO_RULES = [
    "worker thread: from the entry of the last port Read before the finished read is",
    "handed to the window to the hand-over's exit, with the callers it returns into;",
    "window thread: the delivery call from the event loop that shows the image on the",
    "controls and everything inside it, observers left out (leading on = reaching the",
    "controls, mark 'controls'); every other event-loop root is left out.",
]

VERBOSE = False  # --functions: every function that ran, under its file

HEADER = struct.Struct("<8sQQQIIQ")
EVENT = struct.Struct("<IIQQ")
ENTER, EXIT = 0, 1


def fail(message):
    sys.exit("measure-walks: " + message)


class Record:
    def __init__(self, path):
        with open(path, "rb") as f:
            data = f.read()
        magic, self.base, self.begin, self.end, self.window, overflowed, count = (
            HEADER.unpack_from(data, 0))
        if magic != b"VWALKS01":
            fail(f"{path} is not a vardex-walks record")
        if overflowed:
            fail(f"{path}: the record filled up, the walk is cut")
        self.events = list(EVENT.iter_unpack(data[HEADER.size:HEADER.size + count * EVENT.size]))
        if len(self.events) != count:
            fail(f"{path} is shorter than its header says")

    def addresses(self):
        for _, _, function, site in self.events:
            yield function
            yield site - 1  # the call instruction, not the return address


class Symbols:
    """Names and files of addresses, from one addr2line call."""

    def __init__(self, exe, records, source, build):
        self.source, self.build = source, build
        wanted = set()
        for record in records:
            wanted.update(a for a in record.addresses() if record.begin <= a < record.end)
        self.base = records[0].base
        wanted = sorted(wanted)
        text = "\n".join(f"{a - self.base:x}" for a in wanted) + "\n"
        out = subprocess.run(["addr2line", "-f", "-C", "-e", exe], input=text,
                             capture_output=True, text=True, check=True).stdout.splitlines()
        if len(out) != 2 * len(wanted):
            fail("addr2line answered a different number of lines than asked")
        self.table = {}
        for i, address in enumerate(wanted):
            path = out[2 * i + 1].split(" (discriminator")[0].rsplit(":", 1)[0]
            self.table[address] = (out[2 * i], path)
        self.inside = (records[0].begin, records[0].end)

    def name(self, address):
        return self.table.get(address, ("??", "??"))[0]

    def path(self, address):
        return self.table.get(address, ("??", "??"))[1]

    def kind(self, address):
        """source, header, generated, tool, outside or unknown."""
        path = self.path(address)
        if path.startswith("??") or not path:
            return "unknown"
        path = os.path.realpath(path)
        if path.startswith(self.build + os.sep):
            return "generated"
        if path.startswith(os.path.join(self.source, "bench", "walks") + os.sep):
            return "tool"
        if path.startswith(self.source + os.sep):
            return "source" if path.endswith(".cpp") else "header"
        return "outside"

    def shown_path(self, address):
        path = os.path.realpath(self.path(address))
        for root in (self.build, self.source):
            if path.startswith(root + os.sep):
                return os.path.relpath(path, root)
        return path

    def is_moc(self, address):
        base = os.path.basename(self.path(address))
        return base.startswith("moc_") or base == "mocs_compilation.cpp"

    def entered_through_qt(self, node):
        """True when `node` was called by Qt rather than by its caller's code."""
        if node.parent is not None and self.is_moc(node.parent.function):
            return True
        site = node.site - 1
        if not (self.inside[0] <= site < self.inside[1]):
            return True  # called from Qt's libraries
        kind = self.kind(site)
        if kind == "outside":
            return "/c++/" not in self.path(site)  # Qt's headers, not the C++ library's
        return kind == "generated"


class Node:
    __slots__ = ("function", "site", "enter", "exit", "parent", "children", "thread")

    def __init__(self, function, site, enter, parent, thread):
        self.function, self.site, self.enter = function, site, enter
        self.exit, self.parent, self.children, self.thread = None, parent, [], thread


def build_trees(record):
    """Call trees per thread: the roots, and every node by its entry index.
    Exits of calls entered before the recording began are ignored."""
    roots, by_enter, stacks = {}, {}, {}
    for index, (thread, kind, function, site) in enumerate(record.events):
        stack = stacks.setdefault(thread, [])
        if kind == ENTER:
            node = Node(function, site, index, stack[-1] if stack else None, thread)
            (node.parent.children if node.parent else roots.setdefault(thread, [])).append(node)
            by_enter[index] = node
            stack.append(node)
        elif stack and any(n.function == function for n in stack):
            while stack:
                node = stack.pop()
                node.exit = index
                if node.function == function:
                    break
    return roots, by_enter


def walk_nodes(node):
    pending = [node]
    while pending:
        current = pending.pop()
        yield current
        pending.extend(reversed(current.children))


class Walk:
    def __init__(self, symbols, mark_names):
        self.symbols = symbols
        self.patterns = {m: re.compile(MARKS[m]) for m in mark_names}
        self.sections = []  # (title, [function addresses in order])
        self.observers = {}  # (entered from, root name, root file) -> count
        self.observer_functions = []
        self.qt_into_moc = 0  # left-out calls that ran generated code only

    def matches(self, mark, address):
        return bool(self.patterns[mark].search(self.symbols.name(address)))

    def find(self, record, mark, thread_test, before=None):
        """Entry indexes of `mark` on the threads `thread_test` accepts."""
        found = [i for i, (thread, kind, function, _) in enumerate(record.events)
                 if kind == ENTER and thread_test(thread) and self.matches(mark, function)
                 and (before is None or i < before)]
        return found

    def leads_to(self, node, mark):
        return any(self.matches(mark, n.function) for n in walk_nodes(node))

    def subtree(self, root, goal):
        """`root` and its calls in order, leaving out the subtrees entered
        through Qt that do not reach `goal`."""
        kept, pending = [], [root]
        while pending:
            node = pending.pop()
            kept.append(node)
            for child in reversed(node.children):
                if self.symbols.entered_through_qt(child) and not self.leads_to(child, goal):
                    self.observe(child)
                else:
                    pending.append(child)
        return [n.function for n in sorted(kept, key=lambda n: n.enter)]

    def observe(self, root, entered_from=None):
        s = self.symbols
        functions = [n.function for n in walk_nodes(root)]
        self.observer_functions.extend(functions)
        if all(s.kind(f) == "generated" for f in functions):
            self.qt_into_moc += 1  # Qt asking a class for its meta-object, and the like
            return
        if entered_from is None:
            entered_from = s.name(root.parent.function) if root.parent else "the event loop"
        key = (short(entered_from), short(s.name(root.function)), s.shown_path(root.function))
        self.observers[key] = self.observers.get(key, 0) + 1

    def between(self, record, thread, first, last):
        """The code that runs on `thread` from event `first` to `last`: each
        function entered, and the caller it was called from or returns into
        (which may have been entered before the recording began)."""
        running = []
        for i in range(first, last + 1):
            t, kind, function, site = record.events[i]
            if t != thread:
                continue
            if i != first or kind == EXIT:
                running.append(site - 1)
            if kind == ENTER:
                running.append(function)
        return running

    def print(self, title, rules):
        s = self.symbols
        print(title)
        for line in rules + RULES:
            print("  " + line)
        seen, threads, rows, others = set(), {}, [], {"header": [], "generated": [],
                                                      "tool": [], "unknown": []}
        for section, functions in self.sections:
            print(f"  {section}: {len(functions)} calls")
            for function in functions:
                kind, path = s.kind(function), s.shown_path(function)
                threads.setdefault(path, set()).add(section.split()[0])
                if path in seen:
                    continue
                seen.add(path)
                if kind == "source":
                    rows.append((path, s.name(function)))
                elif kind in others:
                    others[kind].append((path, s.name(function)))
        width = max([len(p) for p, _ in rows] + [10])
        for number, (path, function) in enumerate(rows, 1):
            where = "+".join(sorted(threads[path]))
            print(f"  {number:3d}  {path:<{width}}  {where:<13}  {short(function)}")
            if VERBOSE:
                for name in sorted({short(s.name(f), 100) for _, functions in self.sections
                                    for f in functions if s.shown_path(f) == path}):
                    print(f"{'':{width + 8}}{name}")
        counts = {t: sum(1 for p, _ in rows if t in threads[p]) for t in ("window", "worker")}
        print(f"  {len(rows)} .cpp files (window thread {counts['window']}, "
              f"worker thread {counts['worker']})")
        labels = {"header": "headers (not counted)", "generated": "generated (not counted)",
                  "tool": "the tool's own (not counted)", "unknown": "without a source line"}
        for kind, label in labels.items():
            if others[kind]:
                print(f"  {label}:")
                for path, function in others[kind]:
                    print(f"       {path:<{width}}  {short(function)}")
        if self.observers or self.qt_into_moc:
            print("  left out (observers; entered through Qt, not leading on):")
            for (source, root, path), count in self.observers.items():
                print(f"       {root}  [{path}]  from {source}  x{count}")
            if self.qt_into_moc:
                print(f"       {self.qt_into_moc} calls from Qt into generated code only "
                      "(metaObject() and the like)")
            only = []
            for function in self.observer_functions:
                path = s.shown_path(function)
                if s.kind(function) == "source" and path not in seen:
                    seen.add(path)
                    only.append((path, s.name(function)))
            if only:
                print("  .cpp files seen only in what was left out:")
                for path, function in only:
                    print(f"       {path:<{width}}  {short(function)}")
        print()
        return len(rows)


def short(name, limit=72):
    """`name` with its argument and template lists elided, innermost first,
    until it fits; a lambda keeps the function it lives in readable."""
    if "{lambda" in name:
        name = re.sub(r"::operator\(\)\(.*\)( const)?$", "", name)
    while len(name) > limit:
        opaque = name.replace("(...)", "\x01").replace("<...>", "\x02")
        elided = re.sub(r"([(<])[^()<>]+[)>]", lambda m: m.group(1) + "..." + ")>"[m.group(1) == "<"],
                        opaque, count=1)
        elided = elided.replace("\x01", "(...)").replace("\x02", "<...>")
        if elided == name:
            return name[:limit - 3] + "..."
        name = elided
    return name


def walk_one(record, symbols):
    w = Walk(symbols, ["click", "hand_over", "take", "port_write"])
    roots, _ = build_trees(record)
    window = record.window
    clicks = [r for r in roots.get(window, []) if w.matches("click", r.function)]
    if len(clicks) != 1:
        fail(f"walk 1: {len(clicks)} calls of the click (mark 'click') on the window thread")
    click = clicks[0]
    if not w.leads_to(click, "hand_over"):
        fail("walk 1: the click never reached the hand-over (mark 'hand_over')")
    window_functions = w.subtree(click, "hand_over")
    for root in roots.get(window, []):
        if root is not click:
            w.observe(root, "the event loop")
    writes = w.find(record, "port_write", lambda t: t != window)
    if not writes:
        fail("walk 1: the worker never entered the port's Write (mark 'port_write')")
    worker = record.events[writes[0]][0]
    takes = w.find(record, "take", lambda t: t == worker, before=writes[0])
    if not takes:
        fail("walk 1: no mailbox Take (mark 'take') before the port's Write")
    w.sections = [
        (f"window thread, inside {short(symbols.name(click.function), 40)}", window_functions),
        (f"worker thread, from {short(symbols.name(record.events[takes[-1]][2]), 40)} to "
         f"{short(symbols.name(record.events[writes[0]][2]), 40)}",
         w.between(record, worker, takes[-1], writes[0])),
    ]
    return w.print('Walk 1: "Write config" to the first byte sent', WALK_ONE_RULES)


def walk_two(record, symbols):
    w = Walk(symbols, ["delivery", "controls", "port_read", "outcome"])
    roots, by_enter = build_trees(record)
    window = record.window
    window_roots = roots.get(window, [])
    deliveries = [r for r in window_roots if w.matches("delivery", r.function)]
    if not deliveries:
        fail("walk 2: no delivery call (mark 'delivery') on the window thread")
    showing = [r for r in deliveries if w.leads_to(r, "controls")]
    if not showing:
        fail("walk 2: no delivery reached the pages' controls (mark 'controls')")
    delivery = showing[0]
    window_functions = w.subtree(delivery, "controls")
    for root in window_roots:
        if root is not delivery:
            w.observe(root, "the event loop")
    # The delivery may have begun before the outcome was handed over (it takes
    # whatever arrives during its slice); the controls are shown after it.
    shown = min(n.enter for n in walk_nodes(delivery) if w.matches("controls", n.function))
    outcomes = w.find(record, "outcome", lambda t: t != window, before=shown)
    if not outcomes:
        fail("walk 2: the worker never handed an outcome over (mark 'outcome')")
    hand_over = by_enter[outcomes[-1]]
    if hand_over.exit is None:
        fail("walk 2: the outcome's hand-over never returned")
    reads = w.find(record, "port_read", lambda t: t == hand_over.thread, before=hand_over.enter)
    if not reads:
        fail("walk 2: no port Read (mark 'port_read') before the outcome's hand-over")
    w.sections = [
        (f"worker thread, from {short(symbols.name(record.events[reads[-1]][2]), 40)} to "
         f"the exit of {short(symbols.name(hand_over.function), 40)}",
         w.between(record, hand_over.thread, reads[-1], hand_over.exit)),
        (f"window thread, inside the {short(symbols.name(delivery.function), 40)} "
         "that shows the image", window_functions),
    ]
    return w.print("Walk 2: a received image to the controls", WALK_TWO_RULES)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("exe", help="the vardex-walks program that wrote the records")
    parser.add_argument("walk1", help="walk1.rec")
    parser.add_argument("walk2", help="walk2.rec")
    parser.add_argument("--source", default=os.path.dirname(os.path.dirname(
        os.path.realpath(__file__))), help="the source tree (default: this script's)")
    parser.add_argument("--build", help="the build folder (default: the program's preset folder)")
    parser.add_argument("--functions", action="store_true",
                        help="list every function that ran under its counted file")
    args = parser.parse_args()
    global VERBOSE
    VERBOSE = args.functions
    source = os.path.realpath(args.source)
    build = os.path.realpath(args.build or os.path.join(source, "build", "walks"))
    records = [Record(args.walk1), Record(args.walk2)]
    if records[0].base != records[1].base:
        fail("the two records come from different runs")
    symbols = Symbols(args.exe, records, source, build)
    first = walk_one(records[0], symbols)
    second = walk_two(records[1], symbols)
    print(f"Walk 1: {first} .cpp files; walk 2: {second} .cpp files.")


if __name__ == "__main__":
    main()

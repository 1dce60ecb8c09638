#!/usr/bin/env python3
"""How scripts/measure-walks.py reads a record: the call trees, which calls
a walk keeps and which it leaves out as observers, and what a worker's span
counts. Synthetic records with made-up addresses, names and files; a wrong
rule here would print a wrong figure without any error."""

import importlib.util
import os
import unittest

SCRIPT = os.path.join(os.path.dirname(__file__), "..", "..", "scripts", "measure-walks.py")
spec = importlib.util.spec_from_file_location("measure_walks", SCRIPT)
mw = importlib.util.module_from_spec(spec)
spec.loader.exec_module(mw)

ENTER, EXIT = mw.ENTER, mw.EXIT
QT_LIBRARY = 0x90000  # a call site outside the program: Qt's library

# address: (name, file); a call made from a function has that function's
# address + 1 as its site (the script looks the site up one byte back).
FUNCTIONS = {
    0x1100: ("TForm1::Button5Click()", "/src/app/Unit1.cpp"),
    0x1200: ("vardex::Controller::Write()", "/src/app/controller.cpp"),
    0x1300: ("vardex::Controller::Posted()", "/src/build/app/moc_controller.cpp"),
    0x1400: ("vardex::StatusLine::OnPosted()", "/src/app/status_line.cpp"),
    0x1500: ("vardex::Relay::OnPosted()", "/src/app/relay.cpp"),
    0x1600: ("vardex::TransferMailbox::Post()", "/src/link/transfer_mailbox.cpp"),
    0x1700: ("std::function<void ()>::operator()() const",
             "/usr/include/c++/12/bits/std_function.h"),
    0x1800: ("vardex::Document::Build()", "/src/app/document.cpp"),
    0x1900: ("QObject::connect lambda", "/usr/include/x86_64-linux-gnu/qt6/QtCore/qobject.h"),
    0x1a00: ("vardex::Title::Show()", "/src/app/title.cpp"),
    0x1b00: ("vardex::ListFilter::eventFilter()", "/src/app/list_filter.cpp"),
    0x2100: ("vardex::TCommThread::Execute()", "/src/link/comm_thread.cpp"),
    0x2200: ("vardex::TransferMailbox::Take()", "/src/link/transfer_mailbox.cpp"),
    0x2300: ("vardex::LinkSession::Start()", "/src/link/link_session.cpp"),
    0x2400: ("vardex::QtSerialPort::Write()", "/src/link/linux/qt_serial_port.cpp"),
}


def symbols():
    s = object.__new__(mw.Symbols)  # without addr2line: the table is given
    s.source, s.build, s.base, s.inside = "/src", "/src/build", 0, (0x1000, 0x3000)
    s.table = dict(FUNCTIONS)
    return s


class Events:
    def __init__(self, events):
        self.events = events


def call(function, caller, children=(), thread=1):
    """The enter and exit events of one call and the calls inside it."""
    site = caller + 1 if caller < QT_LIBRARY else caller
    inner = [e for child in children for e in child]
    return [(thread, ENTER, function, site)] + inner + [(thread, EXIT, function, site)]


class CallTrees(unittest.TestCase):
    def test_exits_close_the_right_calls(self):
        cases = [
            # (events, the roots' functions, each root's children's functions)
            ("nested calls",
             call(0x1100, QT_LIBRARY, [call(0x1200, 0x1100), call(0x1800, 0x1100)]),
             [0x1100], [[0x1200, 0x1800]]),
            ("an exit of a call entered before the record began is ignored",
             [(1, EXIT, 0x2100, QT_LIBRARY), (1, ENTER, 0x1100, QT_LIBRARY),
              (1, EXIT, 0x2100, QT_LIBRARY)] + call(0x1200, 0x1100) +
             [(1, EXIT, 0x1100, QT_LIBRARY)],
             [0x1100], [[0x1200]]),
            ("a caller's exit also ends a callee whose exit was not recorded",
             [(1, ENTER, 0x1100, QT_LIBRARY), (1, ENTER, 0x1200, 0x1101),
              (1, EXIT, 0x1100, QT_LIBRARY)] + call(0x1800, QT_LIBRARY),
             [0x1100, 0x1800], [[0x1200], []]),
        ]
        for name, events, roots, children in cases:
            with self.subTest(name):
                trees, _ = mw.build_trees(Events(events))
                self.assertEqual([r.function for r in trees[1]], roots)
                self.assertEqual([[c.function for c in r.children] for r in trees[1]], children)


class KeptCalls(unittest.TestCase):
    def test_calls_entered_through_qt_count_only_when_they_lead_on(self):
        # The click builds, then posts; the controller's signal reaches the
        # status line and the title (observers) and a relay that posts on.
        events = call(0x1100, QT_LIBRARY, [
            call(0x1800, 0x1100, [call(0x1700, 0x1800, [call(0x1a00, 0x1700)]),
                                  call(0x1b00, QT_LIBRARY)]),  # an event filter
            call(0x1200, 0x1100, [
                call(0x1300, 0x1200, [
                    # its call site inlined into the controller's code
                    call(0x1400, 0x1200),
                    call(0x1500, QT_LIBRARY, [call(0x1600, 0x1500)]),
                    call(0x1a00, 0x1900),
                ]),
            ]),
        ])
        walk = mw.Walk(symbols(), ["hand_over"])
        trees, _ = mw.build_trees(Events(events))
        kept = walk.subtree(trees[1][0], "hand_over")
        cases = [
            ("the click and what it calls", 0x1100, True),
            ("a call through std::function is the caller's own", 0x1a00, True),
            ("the moc signal function", 0x1300, True),
            ("a slot that posts on", 0x1500, True),
            ("the hand-over", 0x1600, True),
            ("a slot of the moc signal, leading nowhere", 0x1400, False),
            ("an event filter Qt's library calls", 0x1b00, False),
        ]
        for name, function, counted in cases:
            with self.subTest(name):
                self.assertEqual(function in kept, counted)
        self.assertEqual(kept.count(0x1a00), 1)  # only the std::function call
        self.assertEqual(sorted(root for _, root, _ in walk.observers),
                         ["vardex::ListFilter::eventFilter()", "vardex::StatusLine::OnPosted()",
                          "vardex::Title::Show()"])


class WorkerSpans(unittest.TestCase):
    def test_a_span_counts_callees_and_the_callers_they_return_into(self):
        # The worker's loop (Execute) was entered before the record began.
        events = [
            (2, ENTER, 0x2200, 0x2101), (2, EXIT, 0x2200, 0x2101),
            (1, ENTER, 0x1a00, QT_LIBRARY),  # the window thread's, not the span's
            (2, ENTER, 0x2300, 0x2101), (2, ENTER, 0x2400, 0x2301),
        ]
        walk = mw.Walk(symbols(), [])
        self.assertEqual(walk.between(Events(events), 2, 0, 4),
                         [0x2200, 0x2100, 0x2100, 0x2300, 0x2300, 0x2400])


if __name__ == "__main__":
    unittest.main()

#!/usr/bin/python3
"""window_atspi_test.py CONFIGURATOR SIM: the window as a screen reader meets it.

Own Xvfb (no window manager), D-Bus session and AT-SPI bus; the simulator as
COM1 in a scratch HOME; the window worked with the mouse. Waits are for
conditions. VARDEX_ATSPI_SCREENSHOT=FILE captures the no-reply notice.
"""
import os, re, subprocess, sys, tempfile, time

from e2e_processes import Failure, Start

DEADLINE_S = 60
NO_PORT = 'No port open: choose the COM port and press "Open port".'
NO_REPLY = ('No reply from the device for 3 s while waiting for page 1 of 16: check the cable, '
            'the COM port and that the device is in config mode, then press "Write config" again.')
FINISHED = "Write config finished: 16 of 16 pages."
PACE_PER_S = 2  # announcements within one kind of news


def StartReporting(argv, env, started):
    """Starts a program that writes a line (display, address) to fd {fd}; returns it."""
    read_end, write_end = os.pipe()
    started.append(Start([a.replace("{fd}", str(write_end)) for a in argv], env,
                         pass_fds=(write_end,)))
    os.close(write_end)
    with os.fdopen(read_end) as reader:
        return reader.readline().strip()


def WaitFor(what, condition, describe=lambda: ""):
    end = time.monotonic() + DEADLINE_S
    while True:
        while GLib.MainContext.default().iteration(False):
            pass
        value = condition()
        if value:
            return value
        if time.monotonic() > end:
            raise Failure("no %s within %d s. %s" % (what, DEADLINE_S, describe()))
        time.sleep(0.05)


def Tree(obj):
    for child in obj:
        if child is not None:
            yield child
            yield from Tree(child)


def OnTheBus():
    names = []
    for app in pyatspi.Registry.getDesktop(0):
        names.append("%s %s" % (app.name if app else None,
                                  [frame.name for frame in app or [] if frame]))
    return "On the bus: %s." % ("; ".join(names) or "nothing")


def Has(obj, state):
    obj.clearCache()  # what the window says now, not what was cached
    return obj.getState().contains(state)


def Text(obj):
    return obj.queryText().getText(0, -1)


class Window:
    def __init__(self, argv, env, started):
        self.env, self.events = env, []
        started.append(Start(argv, env))
        self.frame = WaitFor("window on the bus", self.Frame, OnTheBus)
        self.objects = {(o.getRoleName(), o.name): o for o in Tree(self.frame)}
        pyatspi.Registry.registerEventListener(
            lambda e: self.events.append((time.monotonic(), e.type, e.source.name, e.detail1,
                                          e.any_data if isinstance(e.any_data, str) else "")),
            "object:state-changed:focused", "object:announcement")

    def Frame(self):
        for app in pyatspi.Registry.getDesktop(0):
            for frame in app or []:
                if frame and (frame.name or "").startswith("VARDEX Plus Configurator v1.26"):
                    self.app = app
                    return frame

    def __getitem__(self, key):
        if key not in self.objects:
            raise Failure("no %s named %r" % key)
        return self.objects[key]

    def Click(self, obj):
        box = obj.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        subprocess.run(["xdotool", "mousemove", str(box.x + box.width // 2),
                        str(box.y + box.height // 2), "click", "1"], env=self.env, check=True)

    def Box(self, caption):
        return next((w for w in self.app if w and w.name == caption
                     and Has(w, pyatspi.STATE_SHOWING)), None)

    def PressAndDismiss(self, button, caption):
        """Clicks `button` and the OK of the box it shows; returns when OK was clicked."""
        self.Click(self["push button", button])
        WaitFor("box " + caption, lambda: self.Box(caption))
        ok = next(o for o in Tree(self.Box(caption)) if o.name == "OK")
        clicked = time.monotonic()
        self.Click(ok)
        WaitFor("box %s to close" % caption, lambda: not self.Box(caption))
        return clicked

    def ClickAndAnswer(self, button, answer):
        """Clicks `button`, then `answer` in the question the window asks first."""
        self.Click(self["push button", button])
        caption = "VARDEX Configurator"
        WaitFor("question", lambda: self.Box(caption))
        self.Click(next(o for o in Tree(self.Box(caption)) if o.name == answer))
        WaitFor("question to close", lambda: not self.Box(caption))

    def Announced(self, since):
        return [e[4] for e in self.events if e[0] >= since and e[1] == "object:announcement"]


def CheckNames(w):
    # Containers pass the focus on; a list's edit box and entries go with the list.
    controls = [o for o in Tree(w.frame) if o.getState().contains(pyatspi.STATE_FOCUSABLE)
                and o.getRoleName() != "filler"
                and o.parent.getRoleName() not in ("combo box", "list")]
    unnamed = [o.getRoleName() for o in controls if not o.name]
    by_entry = [o.name for o in controls if o.getRoleName() == "combo box"
                and o.name in [i.name for l in o if l.getRoleName() == "list" for i in l]]
    if len(controls) < 100 or unnamed or by_entry:
        raise Failure("%d controls; unnamed: %s; named by an entry: %s"
                      % (len(controls), unnamed, by_entry))


def CheckFocusAfterBox(w, typed, caption):
    edit = w["text", "TX delay [ms]"]
    edit.queryEditableText().setTextContents(typed)
    closed = w.PressAndDismiss("Write config", caption)
    tabs = [t for t in w["page tab list", "Radio"] if t.getRoleName() == "page tab"]
    focused_tabs = lambda: [t.name for t in tabs if Has(t, pyatspi.STATE_FOCUSED)]
    WaitFor("focus on TX delay", lambda: Has(edit, pyatspi.STATE_FOCUSED)
            and Has(w.frame, pyatspi.STATE_ACTIVE) and any(
                e[0] >= closed and e[1:4] == ("object:state-changed:focused", "TX delay [ms]", 1)
                for e in w.events),
            lambda: "TX delay focused: %s, window active: %s, tabs focused: %s" % (
                Has(edit, pyatspi.STATE_FOCUSED), Has(w.frame, pyatspi.STATE_ACTIVE),
                focused_tabs()))
    if focused_tabs():
        raise Failure("page tabs focused along with the field: %s" % focused_tabs())


def CheckStatus(w, match, action):
    """After `action` the status line's text and description match, and were announced."""
    status, since = w["status bar", "Status"], time.monotonic()
    action()
    WaitFor("status line", lambda: match(Text(status))
            and match(status.description) and any(map(match, w.Announced(since))),
            lambda: "shows %r, announced %s" % (status.description, w.Announced(since)))
    return w.Announced(since), time.monotonic() - since


def Progress(w, expected):
    bar = w["progress bar", "Progress"].queryValue()
    if (bar.currentValue, bar.maximumValue) != expected:
        raise Failure("progress %s of %s" % (bar.currentValue, bar.maximumValue))


def CheckNoReply(w):
    status = w["status bar", "Status"]
    if (Text(status), status.description) != (NO_PORT, NO_PORT):
        raise Failure("at start %r, described as %r" % (Text(status), status.description))
    w["text", "TX delay [ms]"].queryEditableText().setTextContents("300")
    CheckStatus(w, lambda t: re.fullmatch(r"COM1 \(/dev/pts/\d+\) is open\.", t) is not None,
                lambda: w.PressAndDismiss("Open port", "Information"))
    # The start-up values replace the device's configuration once confirmed.
    CheckStatus(w, lambda t: t == NO_REPLY,
                lambda: w.ClickAndAnswer("Write config", "Replace configuration"))
    Progress(w, (0, 16))
    if os.environ.get("VARDEX_ATSPI_SCREENSHOT"):
        subprocess.run(["import", "-window", "root", os.environ["VARDEX_ATSPI_SCREENSHOT"]],
                       env=w.env, check=True)


def CheckPace(w):
    told, elapsed = CheckStatus(
        w, lambda t: t == FINISHED,
        lambda: w.ClickAndAnswer("Write config", "Replace configuration"))
    # Kinds (waiting, finished) are told at once, the pages between at a pace.
    if not told[0].startswith("Write config: page 1 of 16") or len(told) > 2 + PACE_PER_S * (
            elapsed + 1):
        raise Failure("told in %.1f s: %s" % (elapsed, told))
    Progress(w, (16, 16))


CHECKS = [
    ("every control has a name, no list is named by an entry", CheckNames),
    ("a range box leaves TX delay focused", lambda w: CheckFocusAfterBox(w, "199", "Information")),
    ("a conversion box leaves TX delay focused",
     lambda w: CheckFocusAfterBox(w, "2x0", "VARDEX Configurator")),
    ("no port, the open port and the no-reply notice are told", CheckNoReply),
    ("a write's pages are told at a pace, its end at once", CheckPace),
]


def Main(app, sim):
    global pyatspi, GLib
    started, failed = [], 0
    with tempfile.TemporaryDirectory(prefix="vardex-atspi-") as scratch:
        env = dict(os.environ, HOME=scratch, XDG_RUNTIME_DIR=scratch, QT_QPA_PLATFORM="xcb",
                   QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        try:
            env["DISPLAY"] = ":" + StartReporting(
                ["Xvfb", "-displayfd", "{fd}", "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                env, started)
            env["DBUS_SESSION_BUS_ADDRESS"] = StartReporting(
                ["dbus-daemon", "--session", "--nofork", "--print-address={fd}"], env, started)
            started.append(Start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                                 env))
            os.environ.update(env)
            import pyatspi
            from gi.repository import GLib
            # The window joins the accessibility registry once, as it starts:
            # a loaded machine may not have started the registry yet.
            WaitFor("accessibility registry", lambda: pyatspi.Registry.getDesktop(0) is not None)
            # Replies 1 to 3 are lost: page 0 and both of its tries more (the
            # no-reply notice); the rest come 150 ms late, so a write's pages
            # change faster than they may be told.
            started.append(Start([sim, "--com", "1", "--drop", "1,2,3", "--delay-ms", "150",
                                  "--exit-with-parent"], env, stdout=subprocess.PIPE, text=True))
            if not started[-1].stdout.readline().startswith("READY "):
                raise Failure("the simulator did not start")
            window = Window([app], env, started)
            for title, check in CHECKS:
                try:
                    check(window)
                    print("PASS", title)
                except Failure as failure:
                    failed += 1
                    print("FAIL %s: %s" % (title, failure))
        finally:
            for process in reversed(started):
                process.terminate()
                process.wait()
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(Main(*sys.argv[1:]) if len(sys.argv) == 3 else __doc__)

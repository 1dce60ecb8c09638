#!/usr/bin/python3
"""window_wine_test.py WINE64 CONFIGURATOR LAYOUT SIM VARDEX [--bench RUNS]

The Windows window, vardex-configurator.exe, under Wine on its own Xvfb and
its own Wine server in $WINEPREFIX, worked with real input (xdotool) against
vardex-sim through a Wine COM name (a dosdevices link in the prefix). LAYOUT (vardex-window-layout.exe) says
where the controls lie; the clipboard (xclip) shows what a field, the log
pane or a message box holds. VARDEX (the Linux vardex) reads what the
simulator serves, to compare with what the window writes back.

With --bench RUNS: only the largest firmware upload, RUNS times, and
vardex.exe flash of the same file beside it; prints wall time against the
115200-baud line limit, asserts nothing.
"""
import os, re, subprocess, sys, tempfile, time

from e2e_processes import Failure, Start

DEADLINE_S = 120
UPLOAD_DEADLINE_S = 600
COM = 8  # the command-line tests use COM5 and COM7 of the same prefix
TITLE = "VARDEX Plus Configurator v1.26"
OPENED = "Serial port opened successfully."
RANGE = "Preamble len - range error (200 - 1000)."
APP_NAME = "VARDEX Configurator"  # the caption of the window's questions
FIRMWARE_BYTES = 237568  # the largest firmware: 1856 pages of 128 bytes
# Per page 136 bytes out and an 8-byte acknowledgement back, 10 bits a byte.
UPLOAD_LIMIT_S = 1856 * (136 + 8) * 10 / 115200
SEPARATOR = "---------------------------"
# Qt's GDI font engine draws no text in line edits under Wine; the layout
# tool and the window take the same engine, so that they agree.
QT_ARGS = ["-platform", "windows:fontengine=freetype"]


def WaitFor(what, condition, deadline_s=DEADLINE_S, describe=lambda: ""):
    end = time.monotonic() + deadline_s
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > end:
            raise Failure("no %s within %d s. %s" % (what, deadline_s, describe()))
        time.sleep(0.2)


def WindowsPath(path):
    return "Z:" + path.replace("/", "\\")


class Desktop:
    """Xvfb, the simulator, and the xdotool and xclip calls on that display."""

    def __init__(self, scratch, started, args):
        self.wine, self.exe, self.layout_exe, self.sim, self.vardex = args
        read_end, write_end = os.pipe()
        started.append(Start(["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                              "1280x1024x24", "-nolisten", "tcp"], os.environ,
                             pass_fds=(write_end,)))
        os.close(write_end)
        with os.fdopen(read_end) as reader:
            display = reader.readline().strip()
        self.env = dict(os.environ, DISPLAY=":" + display, WINEDEBUG="-all",
                        WINEDLLOVERRIDES="winemenubuilder.exe=d")
        self.scratch, self.started = scratch, started
        # Wine's desktop belongs to the display its server first met: a
        # server of this prefix's own, started here, on this display.
        self.wineserver = os.path.join(os.path.dirname(self.wine), "wineserver")
        # (Its services would hold any pipe open: none is given.)
        os.makedirs(os.environ["WINEPREFIX"], exist_ok=True)
        self.Quietly(self.wineserver, "-k")
        self.Quietly(self.wineserver, "-w")
        self.Quietly(self.wineserver, "-p")
        self.Quietly(self.wine, "cmd", "/c", "exit")

    def Quietly(self, *argv):
        subprocess.run(list(argv), env=self.env, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=300)

    def End(self):
        self.Quietly(self.wineserver, "-k")

    def Run(self, *argv, **kw):
        return subprocess.run(list(argv), env=self.env, check=True, capture_output=True,
                              text=True, timeout=DEADLINE_S, **kw).stdout

    def StartSim(self, *extra):
        links = os.path.join(os.environ["WINEPREFIX"], "dosdevices")
        self.sim_log = os.path.join(self.scratch, "sim.log")
        sim = Start([self.sim, "--com", str(COM), "--link-dir", links, "--baud", "115200",
                     "--verbose", "--exit-with-parent", *extra], self.env,
                    stdout=subprocess.PIPE, stderr=open(self.sim_log, "w"), text=True)
        self.started.append(sim)
        ready = sim.stdout.readline().split()
        if len(ready) != 2 or ready[0] != "READY":
            raise Failure("the simulator did not start: %s" % ready)
        return ready[1]

    def Layout(self):
        places = {}
        for line in self.Run(self.wine, self.layout_exe, *QT_ARGS).splitlines():
            name, *box = line.split()
            places[name] = tuple(int(v) for v in box)
        if "Button1" not in places:
            raise Failure("the layout tool found no controls: %s" % places)
        return places

    def Windows(self, name):
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name],
                               env=self.env, capture_output=True, text=True)
        return found.stdout.split()

    def ClickAt(self, x, y):
        self.Run("xdotool", "mousemove", "--sync", str(x), str(y), "click", "1")

    def Keys(self, *keys):
        self.Run("xdotool", "key", "--delay", "50", *keys)

    def Type(self, text):
        self.Run("xdotool", "type", "--delay", "50", text)

    def Clipboard(self):
        shown = subprocess.run(["xclip", "-o", "-selection", "clipboard"], env=self.env,
                               capture_output=True, text=True, timeout=10)
        return shown.stdout.replace("\r\n", "\n")

    def Copy(self, before=None, deadline_s=10):
        """Ctrl+C in the focused control; what it put on the clipboard."""
        # xclip stays behind as the empty clipboard's owner until the window
        # takes it over: no pipes to wait on.
        subprocess.run(["xclip", "-selection", "clipboard", "-i", "/dev/null"], env=self.env,
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=10)
        if before:
            before()
        self.Keys("ctrl+c")
        return WaitFor("clipboard", self.Clipboard, deadline_s)


class Window:
    def __init__(self, desktop):
        self.d = desktop
        self.places = desktop.Layout()
        self.process = Start([desktop.wine, desktop.exe, *QT_ARGS], desktop.env)
        desktop.started.append(self.process)
        WaitFor("window " + TITLE, lambda: desktop.Windows("^%s$" % re.escape(TITLE)))
        time.sleep(1)  # laid out and painted

    def Click(self, name):
        x, y, w, h = self.places[name]
        self.d.ClickAt(x + w // 2, y + h // 2)

    def Field(self, name):
        """The text of a line edit: clicked, all of it selected, copied."""
        self.Click(name)
        return self.d.Copy(lambda: self.d.Keys("ctrl+a"))

    def Enter(self, name, text):
        self.Click(name)
        self.d.Keys("ctrl+a")
        self.d.Type(text)

    def Log(self):
        self.Click("Memo1")
        return self.d.Copy(lambda: self.d.Keys("ctrl+a"))

    def WaitForLogLine(self, line, count, deadline_s=DEADLINE_S):
        return WaitFor("%d x %r in the log" % (count, line),
                       lambda: self.Log().splitlines().count(line) >= count, deadline_s,
                       lambda: "log ends %r" % self.Log()[-300:])

    def Boxes(self, caption):
        return self.d.Windows("^%s$" % re.escape(caption))

    def CloseBox(self, caption, *keys):
        """Focuses the one box of that caption, returns its text and closes it
        with `keys` (by default Return, its default button)."""
        boxes = WaitFor("box " + caption, lambda: self.Boxes(caption))
        if len(boxes) != 1:
            raise Failure("%d boxes %r" % (len(boxes), caption))
        # Wine takes a moment to give a new window the keyboard.
        for attempt in range(5):
            self.d.Run("xdotool", "windowfocus", "--sync", boxes[0])
            try:
                copied = self.d.Copy(deadline_s=3)
                break
            except Failure:
                if attempt == 4:
                    raise
        parts = copied.split(SEPARATOR + "\n")
        # title, text, buttons between the separators
        if len(parts) < 4 or parts[1] != caption + "\n":
            raise Failure("box %r copied as %r" % (caption, parts))
        self.d.Keys(*(keys or ("Return",)))
        WaitFor("box %s to close" % caption, lambda: not self.Boxes(caption))
        return parts[2].rstrip("\n")

    def OpenPort(self):
        self.Enter("ComboBox2", "COM%d" % COM)
        self.Click("Button1")
        text = self.CloseBox("Information")
        if text != OPENED:
            raise Failure("Open port: %r" % text)

    def UploadFirmware(self, path):
        """Chooses `path` in the file dialog and answers "Upload" to the
        question that names it; returns when the question went."""
        # The system's file dialog, which under Wine shows no title: the
        # window that comes.
        before = set(self.d.Windows(".*"))
        self.Click("Button3")
        dialog = WaitFor("file dialog", lambda: set(self.d.Windows(".*")) - before).pop()
        self.d.Run("xdotool", "windowfocus", "--sync", dialog)
        self.d.Type(WindowsPath(path))
        self.d.Keys("Return")
        WaitFor("file dialog to close", lambda: dialog not in self.d.Windows(".*"), 10)
        # Cancel is the question's default; "Upload" is two buttons before it.
        text = self.CloseBox(APP_NAME, "shift+Tab", "shift+Tab", "space")
        if not text.startswith("Upload %s (%d bytes, " % (os.path.basename(path), FIRMWARE_BYTES)):
            raise Failure("the question before the upload: %r" % text)
        return time.monotonic()

    def Quit(self):
        self.process.kill()
        self.process.wait()


def ReadServedImage(desktop, pty):
    served = os.path.join(desktop.scratch, "served.img")
    desktop.Run(desktop.vardex, "read", pty, "-o", served, "--quiet")
    with open(served, "rb") as f:
        return f.read()


def Firmware(scratch, run=0):
    """A largest firmware file; each run's differs in every page, since the
    simulator keeps the pages it stored before."""
    path = os.path.join(scratch, "largest-%d.bin" % run)
    with open(path, "wb") as f:
        f.write(bytes((i * 7 + i // 251 + run * 13) & 0xFF for i in range(FIRMWARE_BYTES)))
    return path


def WaitForFile(path, expected, deadline_s):
    def Holds():
        return os.path.exists(path) and open(path, "rb").read() == expected
    WaitFor("%s to hold the %d bytes sent" % (os.path.basename(path), len(expected)), Holds,
            deadline_s, lambda: "it holds %d bytes" % (
                os.path.getsize(path) if os.path.exists(path) else -1))


def CheckWindow(desktop):
    saved = os.path.join(desktop.scratch, "saved.img")
    fw_out = os.path.join(desktop.scratch, "firmware-out.bin")
    pty = desktop.StartSim("--save-image", saved, "--firmware-out", fw_out)
    served = ReadServedImage(desktop, pty)
    w = Window(desktop)
    try:
        print("open port", flush=True)
        w.OpenPort()

        print("read config: the pages show the simulator's values", flush=True)
        w.Click("Button4")
        w.WaitForLogLine("Eeprom read finished.", 1)
        for field, expected in (("Edit1", "VX1SIM"), ("Edit44", "2"), ("Edit2", "300")):
            shown = w.Field(field)
            if shown != expected:
                raise Failure("after the read %s shows %r, not %r" % (field, shown, expected))

        print("write config: the simulator saves what it served", flush=True)
        w.Click("Button5")
        w.WaitForLogLine("Send finished.", 1)
        with open(saved, "rb") as f:
            written = f.read()
        # The clock (bytes 320 to 339) takes the PC's time, the checksum
        # (bytes 0 to 3) follows it; every other byte is as it was read.
        if len(written) != 2048 or written[4:320] != served[4:320] or \
                written[340:] != served[340:]:
            differ = [i for i in range(min(len(written), 2048)) if written[i] != served[i]
                      and not (i < 4 or 320 <= i < 340)]
            raise Failure("saved image (%d bytes) differs at %s" % (len(written), differ[:20]))

        print("upload firmware: the largest file, byte for byte", flush=True)
        firmware = Firmware(desktop.scratch)
        started = w.UploadFirmware(firmware)
        WaitForFile(fw_out, open(firmware, "rb").read(), UPLOAD_DEADLINE_S)
        wall = time.monotonic() - started  # the last page stored
        w.WaitForLogLine("Send finished.", 2)
        print("firmware upload of %d bytes: %.1f s, %.2f x the 115200 line limit" % (
            FIRMWARE_BYTES, wall, wall / UPLOAD_LIMIT_S), flush=True)

        print("a refused value: one box, nothing sent", flush=True)
        sim_said = os.path.getsize(desktop.sim_log)
        saved_at = os.stat(saved).st_mtime_ns
        w.Enter("Edit2", "199")
        w.Click("Button5")
        text = w.CloseBox("Information")
        if text != RANGE:
            raise Failure("Write config with TX delay 199: %r" % text)
        time.sleep(2)
        if w.Boxes("Information"):
            raise Failure("a second box after the refused value")
        if os.path.getsize(desktop.sim_log) != sim_said or os.stat(saved).st_mtime_ns != saved_at:
            raise Failure("the refused write reached the simulator")
    finally:
        w.Quit()


def Bench(desktop, runs):
    fw_out = os.path.join(desktop.scratch, "firmware-out.bin")
    desktop.StartSim("--firmware-out", fw_out)
    files = [Firmware(desktop.scratch, run) for run in range(2 * runs)]
    vardex_exe = os.path.join(os.path.dirname(os.path.dirname(desktop.exe)), "cli", "vardex.exe")
    print("largest firmware (%d bytes) under Wine, 115200 line limit %.1f s" % (
        FIRMWARE_BYTES, UPLOAD_LIMIT_S))
    print("%-22s %8s %8s" % ("run", "wall s", "x limit"))
    for run in range(runs):
        started = time.monotonic()
        desktop.Run(desktop.wine, vardex_exe, "flash", "COM%d" % COM, WindowsPath(files[run]),
                    "--quiet")
        wall = time.monotonic() - started
        WaitForFile(fw_out, open(files[run], "rb").read(), 10)
        print("%-22s %8.1f %8.2f" % ("vardex.exe flash", wall, wall / UPLOAD_LIMIT_S), flush=True)
    w = Window(desktop)
    try:
        w.OpenPort()
        for run in range(runs):
            started = w.UploadFirmware(files[runs + run])
            WaitForFile(fw_out, open(files[runs + run], "rb").read(), UPLOAD_DEADLINE_S)
            wall = time.monotonic() - started  # the last page stored
            w.WaitForLogLine("Send finished.", run + 1)
            print("%-22s %8.1f %8.2f" % ("window upload", wall, wall / UPLOAD_LIMIT_S),
                  flush=True)
    finally:
        w.Quit()


def Main(argv):
    bench = None
    if len(argv) == 8 and argv[6] == "--bench":
        bench = int(argv[7])
    elif len(argv) != 6:
        print(__doc__, file=sys.stderr)
        return 2
    started = []
    with tempfile.TemporaryDirectory(prefix="vardex-wine-window-") as scratch:
        desktop = None
        try:
            desktop = Desktop(scratch, started, argv[1:6])
            if bench:
                Bench(desktop, bench)
            else:
                CheckWindow(desktop)
                print("PASS: the window under Wine")
            return 0
        except (Failure, subprocess.CalledProcessError, subprocess.TimeoutExpired) as error:
            print("FAIL: %s" % error, file=sys.stderr)
            if isinstance(error, subprocess.CalledProcessError):
                print(error.stderr, file=sys.stderr)
            return 1
        finally:
            if desktop:
                desktop.End()
            for process in reversed(started):
                process.terminate()
                try:
                    process.wait(10)
                except subprocess.TimeoutExpired:
                    process.kill()


if __name__ == "__main__":
    sys.exit(Main(sys.argv))

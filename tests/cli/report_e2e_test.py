#!/usr/bin/env python3
"""vardex read --trace and vardex report against vardex-sim.

Python's zipfile judges the report: it must read every member with a good
CRC. The simulator's built-in image holds the passwords 23972 (APRS-IS),
radio73 (web) and telnet73 (telnet); none may be found in the trace or in
the report, as text or as the hex the trace shows.
"""
import base64
import os
import stat
import subprocess
import sys
import tempfile
import zipfile

PASSWORDS = ["23972", "radio73", "telnet73"]
MEMBERS = ["README.txt", "program.txt", "ports.txt", "log.txt", "trace.txt",
           "configuration.img", "configuration.txt"]


def hex_of(text):
    return " ".join("%02X" % b for b in text.encode("ascii"))


def leaks(data):
    """The passwords (or the web token's password part) found in `data`."""
    text = data.decode("latin-1")
    found = [p for p in PASSWORDS if p in text or hex_of(p) in text]
    token = base64.b64encode(b"admin:radio73").decode()
    if token in text or hex_of(token) in text:
        found.append("web token")
    return found


def main():
    vardex, sim_path = sys.argv[1], sys.argv[2]
    failures = []
    with tempfile.TemporaryDirectory() as folder:
        sim = subprocess.Popen([sim_path, "--exit-with-parent"], stdout=subprocess.PIPE,
                               text=True, cwd=folder)
        try:
            pty = sim.stdout.readline().split()[1]
            run = lambda *args: subprocess.run([vardex, *args], cwd=folder,
                                               capture_output=True, text=True)
            read = run("read", pty, "-o", "a.img", "--trace", "t.txt", "-q")
            if read.returncode != 0:
                failures.append("read: %d %s" % (read.returncode, read.stderr))
            with open(os.path.join(folder, "t.txt"), "rb") as f:
                trace = f.read().decode("ascii")
            # The request for page 0 and the header of its reply.
            for expected in (" tx FF 90 00 00 00 00 00 90\n", " rx FF 91 00 00 ", " -- opened ",
                             "# 0 bytes in 0 records dropped", " **"):
                if expected not in trace:
                    failures.append("trace lacks %r" % expected)
            if leaks(trace.encode()):
                failures.append("trace shows %s" % leaks(trace.encode()))

            report = run("report", "a.img", "-o", "r.zip")
            if report.returncode != 0:
                failures.append("report: %d %s" % (report.returncode, report.stderr))
            zip_path = os.path.join(folder, "r.zip")
            if stat.S_IMODE(os.stat(zip_path).st_mode) != 0o600:
                failures.append("r.zip is not its owner's alone")
            with zipfile.ZipFile(zip_path) as archive:
                if archive.testzip() is not None:
                    failures.append("bad CRC in " + archive.testzip())
                if archive.namelist() != MEMBERS:
                    failures.append("members: %s" % archive.namelist())
                for name in archive.namelist():
                    if leaks(archive.read(name)):
                        failures.append("%s shows %s" % (name, leaks(archive.read(name))))
                text = archive.read("configuration.txt").decode()
                for line in ("Password = ********", "WWW password = ********",
                             "Telnet password = ********"):
                    if line + "\n" not in text:
                        failures.append("configuration.txt lacks %r" % line)
                if "vardex (VARDEX Configurator) " not in archive.read("program.txt").decode():
                    failures.append("program.txt names no version")

            bare = run("report", "-o", "bare.zip")
            with zipfile.ZipFile(os.path.join(folder, "bare.zip")) as archive:
                if bare.returncode != 0 or archive.namelist() != MEMBERS[:5]:
                    failures.append("report without a file: %s" % archive.namelist())
        finally:
            sim.terminate()
            sim.wait()
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""vardex read --trace and vardex report against vardex-sim, the report read
by Python's zipfile (every member with a good CRC). The simulator's image
holds the passwords 23972 (APRS-IS), radio73 (web, user sysop) and telnet73:
none may show in the trace or the report, as text or as the trace's hex."""
import base64
import os
import subprocess
import sys
import tempfile
import zipfile

SECRETS = ["23972", "radio73", "telnet73", base64.b64encode(b"sysop:radio73").decode()]
MEMBERS = ["README.txt", "program.txt", "ports.txt", "log.txt", "trace.txt",
           "configuration.img", "configuration.txt"]


def leaks(data):
    text = data.decode("latin-1")
    return [s for s in SECRETS
            if s in text or " ".join("%02X" % b for b in s.encode()) in text]


def main():
    vardex, sim_path = sys.argv[1], sys.argv[2]
    failures = []
    with tempfile.TemporaryDirectory() as folder:
        sim = subprocess.Popen([sim_path, "--exit-with-parent"], stdout=subprocess.PIPE,
                               text=True, cwd=folder)
        run = lambda *args: subprocess.run([vardex, *args], cwd=folder, capture_output=True)
        try:
            pty = sim.stdout.readline().split()[1]
            if run("read", pty, "-o", "a.img", "--trace", "t.txt", "-q").returncode != 0:
                failures.append("read failed")
            with open(os.path.join(folder, "t.txt"), "rb") as f:
                trace = f.read()
            # The request for page 0 and the header of its reply.
            for line in (b" tx FF 90 00 00 00 00 00 90\n", b" rx FF 91 00 00 ", b" -- opened ",
                         b"# 0 bytes in 0 records dropped", b" **"):
                if line not in trace:
                    failures.append("trace lacks %r" % line)
            failures += ["trace shows " + s for s in leaks(trace)]

            if run("report", "a.img", "-o", "r.zip").returncode != 0:
                failures.append("report failed")
            if os.stat(os.path.join(folder, "r.zip")).st_mode & 0o077:
                failures.append("r.zip is not its owner's alone")
            with zipfile.ZipFile(os.path.join(folder, "r.zip")) as archive:
                if archive.testzip() is not None or archive.namelist() != MEMBERS:
                    failures.append("members: %s" % archive.namelist())
                for name in archive.namelist():
                    failures += ["%s shows %s" % (name, s) for s in leaks(archive.read(name))]
                text = archive.read("configuration.txt").decode()
                for label in ("Password", "WWW password", "Telnet password"):
                    if label + " = ********\n" not in text:
                        failures.append("configuration.txt: %s not masked" % label)

            run("report", "-o", "bare.zip")
            with zipfile.ZipFile(os.path.join(folder, "bare.zip")) as archive:
                if archive.namelist() != MEMBERS[:5]:
                    failures.append("report without a file: %s" % archive.namelist())
        finally:
            sim.terminate()
            sim.wait()
    print("\n".join(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

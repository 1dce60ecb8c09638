#!/usr/bin/env bash
# Measures two walks through the program, file by file: from a click on
# "Write config" to the first byte written to the serial port, and from the
# port read that brings the last bytes of "Read config" to the pages' controls
# showing the values. Builds vardex-walks (preset "walks": the project's code
# at -O0 with -finstrument-functions), runs it with the real window, worker
# and serial port against vardex-sim on a pseudo-terminal, and prints the
# source files each walk ran through (scripts/measure-walks.py has the rules).
# Prints figures only; exits non-zero when a walk could not be measured.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset walks >/dev/null
nice cmake --build --preset walks -j2 >/dev/null

records="$(mktemp -d)"
trap 'rm -rf "$records"' EXIT
QT_QPA_PLATFORM=offscreen build/walks/bench/walks/vardex-walks "$records" 2>/dev/null
python3 scripts/measure-walks.py build/walks/bench/walks/vardex-walks \
  "$records/walk1.rec" "$records/walk2.rec"

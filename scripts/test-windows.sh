#!/usr/bin/env bash
# The Windows side: builds vardex.exe, the window and their tests with
# MinGW-w64 and the static Qt (preset windows, build/windows; the Qt is built
# first when its cache folder lacks it), runs those tests under Wine (the
# window's on Qt's offscreen platform), runs the command-line end-to-end
# tests with vardex.exe and the window's end-to-end test with
# vardex-configurator.exe under Wine against vardex-sim (from the default
# build), then builds the zip and the setup program from the same build and
# checks the setup under Wine. Each step prints its start time.
set -euo pipefail
cd "$(dirname "$0")/.."
step() { echo "=== $1 ($(date -u +%H:%M:%S)) ==="; }
step "windows dependencies and the static Qt"
scripts/install-cross-deps.sh windows
. scripts/lib/qt-windows.sh
VARDEX_QT_WINDOWS=$(qt_windows_prefix)
export VARDEX_QT_WINDOWS
jobs="$(nproc)"
step "windows build"
cmake --preset windows >/dev/null
cmake --build --preset windows -j"$jobs"
step "windows tests under Wine"
ctest --preset windows -j"$jobs" --timeout 600
step "vardex.exe and the window against the simulator"
cmake --preset default -DVARDEX_WINDOWS_BUILD="$PWD/build/windows" >/dev/null
cmake --build --preset default --target cli_e2e_tests vardex-sim vardex -j"$jobs"
ctest --preset default -L wine --timeout 900
step "windows zip and setup program"
. scripts/lib/last-line.sh
setup=$(last_line_of scripts/package.sh --windows)
step "windows setup under Wine"
scripts/check-package-windows.sh "$setup"
step "windows done"

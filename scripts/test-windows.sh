#!/usr/bin/env bash
# The Windows side: builds vardex.exe and the Qt-free tests with MinGW-w64
# (preset windows, build/windows), runs those tests under Wine, runs the
# command-line end-to-end tests with vardex.exe under Wine against vardex-sim
# (from the default build), then builds the zip.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs="$(nproc)"
echo "=== windows build ==="
cmake --preset windows >/dev/null
cmake --build --preset windows -j"$jobs"
ctest --preset windows -j"$jobs" --timeout 600
echo "=== vardex.exe against the simulator ==="
cmake --preset default -DVARDEX_WINDOWS_BUILD="$PWD/build/windows" >/dev/null
cmake --build --preset default --target cli_e2e_tests vardex-sim -j"$jobs"
ctest --preset default -L wine --timeout 900
echo "=== windows zip ==="
scripts/package.sh --windows

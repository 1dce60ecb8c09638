#!/usr/bin/env bash
# Cross-builds the tests for arm64 (preset arm64, build/arm64) and runs them
# under qemu's user-mode emulator, window tests on Qt's offscreen platform.
# Further arguments go to ctest, e.g. `-LE app` to leave out the window tests.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-cross-deps.sh arm64
export QT_QPA_PLATFORM=offscreen
jobs="$(nproc)"
cmake --preset arm64 >/dev/null
cmake --build --preset arm64 -j"$jobs"
ctest --preset arm64 -j"$jobs" --timeout 900 "$@"

#!/usr/bin/env bash
# Builds and runs every test: the normal build, then the AddressSanitizer +
# UndefinedBehaviorSanitizer build, then the threaded tests under
# ThreadSanitizer. Window tests run on Qt's offscreen platform.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
jobs="$(nproc)"
for preset in default sanitize tsan; do
  echo "=== $preset build ==="
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j"$jobs"
  ctest --preset "$preset" -j"$jobs" --timeout 300
done

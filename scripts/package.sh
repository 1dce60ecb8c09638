#!/usr/bin/env bash
# `package.sh --arch arm64` cross-builds the arm64 package instead (package-arm64.sh).
if [ "${1:-}" = --arch ] && [ "${2:-}" = arm64 ]; then exec "$(dirname "$0")/package-arm64.sh"; fi
# Builds the Debian package: a Release build of the programs (no tests, no
# benchmark) in build/package with Debian's hardening flags, packed by CPack
# into build/package/dist. Prints the package's path as its last line.
set -euo pipefail
# --windows: the zip of vardex.exe instead (scripts/package-windows.sh).
[ "${1:-}" != "--windows" ] || exec "$(dirname "$0")/package-windows.sh" "${@:2}"
cd "$(dirname "$0")/.."
scripts/install-deps.sh
. scripts/lib/build-deb.sh
build_deb build/package "*.deb"

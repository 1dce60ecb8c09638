#!/usr/bin/env bash
# Builds the Debian arm64 package (Raspberry Pi OS 64-bit, Debian arm64):
# a Release cross build of the programs with Debian's aarch64 compiler
# against the arm64 Qt packages, in build/package-arm64, with the hardening
# flags Debian uses on arm64, packed by CPack into build/package-arm64/dist.
# The manual pages are made by running the programs under qemu. Prints the
# package's path as its last line. `scripts/package.sh --arch arm64` runs it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-cross-deps.sh arm64

# dpkg-buildflags and dpkg-shlibdeps answer for the target architecture.
export DEB_HOST_ARCH=arm64
. scripts/lib/build-deb.sh
build_deb build/package-arm64 "*_arm64.deb" --toolchain "$PWD/cmake/aarch64-linux-gnu.cmake"

#!/usr/bin/env bash
# Installs what building and testing need on Debian 12; does nothing when all
# of it is already there. Needs root (or sudo) only when something is missing.
# Usage: install-deps.sh [--build]  (--build: only what building and running
# the programs need, as scripts/run.sh asks; without it the test, check and
# Windows tools as well, as scripts/test.sh and CI ask)
set -euo pipefail

# Building and running the window, vardex and vardex-sim. The build folder
# is configured with its tests, so GoogleTest's headers are part of it; Xvfb
# shows the window when there is no display.
build_packages=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-serialport-dev qt6-svg-dev libgl-dev
  libgtest-dev libgmock-dev
  xvfb xauth
)
# The tests, the checks and the cross tools beside them.
test_packages=(
  googletest libbenchmark-dev
  clang-format clang-tidy
  clang libclang-rt-14-dev
  help2man dpkg-dev fakeroot file lintian desktop-file-utils appstream
  xdotool imagemagick  # to click through the window and capture it under Xvfb
  direwolf  # decode_aprs, the reader the beacon tests compare with
  pandoc bash-completion  # the user guide's HTML; the package check completes "vardex r"
  at-spi2-core python3-pyatspi dbus-daemon  # the window as screen readers see it
  g++-mingw-w64-x86-64-posix wine64  # vardex.exe for Windows, and its tests under Wine
)

packages=("${build_packages[@]}")
case "${1:-}" in
  --build) ;;
  "") packages+=("${test_packages[@]}") ;;
  *)
    echo "usage: $0 [--build]" >&2
    exit 1
    ;;
esac

. "$(dirname "$0")/lib/install-missing.sh"
install_missing "${packages[@]}"

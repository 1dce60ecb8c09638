#!/usr/bin/env bash
# Installs what cross-building for another architecture needs, beside the
# native packages of install-deps.sh: the cross compiler, qemu to run the
# programs and tests, and the target's Qt, OpenGL and GoogleTest packages.
# Usage: install-cross-deps.sh arm64|windows. Does nothing when all of it is
# present. For windows: MinGW-w64, Wine, NSIS and a static Qt built from
# Debian's qt6-base source into a cache folder (scripts/lib/qt-windows.sh);
# `windows --packages-only` installs the packages and apt's source entry and
# leaves the Qt build to a later call (CI runs that one beside the tests).
set -euo pipefail
cd "$(dirname "$0")/.."
arch="${1:-}"
case "$arch" in
  arm64) triplet=aarch64-linux-gnu ;;
  windows) ;;
  *) echo "usage: $0 arm64|windows" >&2; exit 1 ;;
esac
scripts/install-deps.sh
. scripts/lib/install-missing.sh

if [ "$arch" = windows ]; then
  # librsvg2-bin draws the icon's PNGs from its SVG and icoutils makes the
  # ICO of them; fonts-wine gives Wine's prefixes the fonts that Qt's GDI
  # font engine draws with; xclip reads what the window under Wine copies.
  install_missing g++-mingw-w64-x86-64-posix wine64 nsis librsvg2-bin icoutils fonts-wine xclip
  . scripts/lib/qt-windows.sh
  if [ "${2:-}" = --packages-only ]; then
    qt_windows_add_deb_src
    exit
  fi
  build_qt_windows
  exit
fi

packages=(
  "g++-$triplet" qemu-user-static
  "libc6:$arch" "libstdc++6:$arch"
  "qt6-base-dev:$arch" "qt6-serialport-dev:$arch" "qt6-svg-dev:$arch" "libgl-dev:$arch"
  "libgtest-dev:$arch" "libgmock-dev:$arch"
)

# The target's libraries must match the native ones' versions exactly, so
# native packages with a newer version in the archive are upgraded too.
install_missing --arch "$arch" "${packages[@]}"

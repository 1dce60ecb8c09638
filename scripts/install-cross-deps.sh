#!/usr/bin/env bash
# Installs what cross-building for another architecture needs, beside the
# native packages of install-deps.sh: the cross compiler, qemu to run the
# programs and tests, and the target's Qt, OpenGL and GoogleTest packages.
# Usage: install-cross-deps.sh arm64. Does nothing when all of it is present.
set -euo pipefail
cd "$(dirname "$0")/.."
arch="${1:-}"
case "$arch" in
  arm64) triplet=aarch64-linux-gnu ;;
  *) echo "usage: $0 arm64" >&2; exit 1 ;;
esac
scripts/install-deps.sh

packages=(
  "g++-$triplet" qemu-user-static
  "libc6:$arch" "libstdc++6:$arch"
  "qt6-base-dev:$arch" "qt6-serialport-dev:$arch" "qt6-svg-dev:$arch" "libgl-dev:$arch"
  "libgtest-dev:$arch" "libgmock-dev:$arch"
)

# The target's libraries must match the native ones' versions exactly, so
# native packages with a newer version in the archive are upgraded too.
. scripts/lib/install-missing.sh
install_missing --arch "$arch" "${packages[@]}"

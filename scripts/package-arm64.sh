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
build=build/package-arm64
dist="$build/dist"

# dpkg-buildflags and dpkg-shlibdeps answer for the target architecture.
export DEB_HOST_ARCH=arm64
export DEB_BUILD_MAINT_OPTIONS="hardening=+all"
CPPFLAGS="$(dpkg-buildflags --get CPPFLAGS)"
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $CPPFLAGS"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"

cmake -S . -B "$build" -G Ninja --toolchain "$PWD/cmake/aarch64-linux-gnu.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE=-DNDEBUG -DCMAKE_INSTALL_PREFIX=/usr \
  -DVARDEX_BUILD_TESTS=OFF "-DCMAKE_CXX_FLAGS=$CXXFLAGS" "-DCMAKE_EXE_LINKER_FLAGS=$LDFLAGS" \
  >/dev/null
cmake --build "$build" -j"$(nproc)"
rm -rf "$dist"
(cd "$build" && cpack -G DEB -B "$PWD/dist" >/dev/null)
rm -rf "$dist/_CPack_Packages"
shopt -s nullglob
debs=("$dist"/*_arm64.deb)
if [ ${#debs[@]} -ne 1 ]; then
  echo "package-arm64.sh: expected one arm64 .deb in $dist, found ${#debs[@]}" >&2
  exit 1
fi
realpath "${debs[0]}"

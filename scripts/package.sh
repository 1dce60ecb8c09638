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
build=build/package
dist="$build/dist"

export DEB_BUILD_MAINT_OPTIONS="hardening=+all"
CPPFLAGS="$(dpkg-buildflags --get CPPFLAGS)"
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $CPPFLAGS"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"

# Release without CMake's own optimisation flags: the Debian ones apply.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE=-DNDEBUG \
  -DCMAKE_INSTALL_PREFIX=/usr \
  -DVARDEX_BUILD_TESTS=OFF "-DCMAKE_CXX_FLAGS=$CXXFLAGS" "-DCMAKE_EXE_LINKER_FLAGS=$LDFLAGS" \
  >/dev/null
cmake --build "$build" -j"$(nproc)"
rm -rf "$dist"
(cd "$build" && cpack -G DEB -B "$PWD/dist" >/dev/null)
rm -rf "$dist/_CPack_Packages"
shopt -s nullglob
debs=("$dist"/*.deb)
if [ ${#debs[@]} -ne 1 ]; then
  echo "package.sh: expected one .deb in $dist, found ${#debs[@]}" >&2
  exit 1
fi
realpath "${debs[0]}"

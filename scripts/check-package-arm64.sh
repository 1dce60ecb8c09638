#!/usr/bin/env bash
# Builds the arm64 package and checks it on this (amd64) machine: its
# architecture and contents, dependencies that apt can satisfy from arm64
# packages, lintian, and the programs unpacked from it and started under
# qemu's user-mode emulator with the arm64 libraries.
set -euo pipefail
cd "$(dirname "$0")/.."

. scripts/lib/last-line.sh
deb="$(last_line_of scripts/package.sh --arch arm64)"
echo "=== checking $deb ==="
fail() { echo "$*" >&2; exit 1; }

[ "$(dpkg-deb -f "$deb" Architecture)" = arm64 ] || fail "Architecture is not arm64"
depends="$(dpkg-deb -f "$deb" Depends)"
echo "Depends: $depends"
for lib in libc6 libstdc++6 libqt6core6 libqt6widgets6 libqt6serialport6 libqt6svg6; do
  [[ ", $depends," == *", $lib "* || ", $depends," == *", $lib,"* ]] || fail "Depends lacks $lib"
done
# Every dependency resolves to an arm64 package of this release.
apt-get install -s -qq "$(realpath "$deb")" >/dev/null || fail "apt cannot satisfy the dependencies"

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
dpkg-deb -x "$deb" "$tmp/root"
for program in vardex-configurator vardex vardex-sim; do
  file -b "$tmp/root/usr/bin/$program" | grep -q 'ELF 64-bit LSB .*ARM aarch64' ||
    fail "$program is not an aarch64 program: $(file -b "$tmp/root/usr/bin/$program")"
done

# Errors fail; warnings and notes are shown.
lintian --fail-on error --display-info "$deb"

run() { qemu-aarch64-static -L / "$tmp/root/usr/bin/$1" "${@:2}"; }
run vardex --version
run vardex defaults -o "$tmp/x.img"
[ "$(stat -c %s "$tmp/x.img")" -eq 2048 ] || fail "vardex defaults did not write 2048 bytes"
run vardex-sim --help | grep -q '^Usage: vardex-sim' || fail "vardex-sim --help printed no usage"
# The window starts with the arm64 Qt libraries and stays up until stopped.
status=0
QT_QPA_PLATFORM=offscreen timeout 10 qemu-aarch64-static -L / "$tmp/root/usr/bin/vardex-configurator" ||
  status=$?
[ "$status" -eq 124 ] || fail "vardex-configurator ended with status $status"
echo "arm64 package check passed: $deb"

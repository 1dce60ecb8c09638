#!/usr/bin/env bash
# Builds vardex.exe for 64-bit Windows with MinGW-w64 (a Release build of the
# command-line tool alone, no tests, in build/windows-package) and packs it
# with its manual as text and the licence into a zip in
# build/windows-package/dist. Prints the zip's path as its last line.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=build/windows-package
dist="$build/dist"

cmake -S . -B "$build" -G Ninja --toolchain cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" \
  -DCMAKE_EXE_LINKER_FLAGS=-s -DVARDEX_BUILD_APP=OFF -DVARDEX_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target vardex -j"$(nproc)"
exe="$build/cli/vardex.exe"

# One program file: it may load only DLLs that every Windows has.
foreign=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' |
  grep -viE '^(kernel32|advapi32|msvcrt)\.dll$' || true)
if [ -n "$foreign" ]; then
  echo "package-windows.sh: vardex.exe needs DLLs beside it: $foreign" >&2
  exit 1
fi

# The manual is the Windows program's own help, every command's included,
# taken under Wine; Windows line ends, so that any editor shows it.
export WINEPREFIX="$PWD/$build/wineprefix" WINEDEBUG=-all
wine64=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
cmake/wine_session.sh start "$wine64" "$wineserver"
trap 'cmake/wine_session.sh stop "$wine64" "$wineserver"' EXIT
vardex() { "$wine64" "$exe" "$@" </dev/null; }
version=$(vardex --version | sed -n 's/.*) \([0-9.]*\).*/\1/p')
name="vardex-$version-windows-x86_64"
rm -rf "$dist"
mkdir -p "$dist/$name"
cp "$exe" "$dist/$name/"
{
  vardex --help
  for command in $(vardex --completion-words | tr -d '\r'); do
    printf '\n\n'
    vardex "$command" --help
  done
} | sed 's/$/\r/' >"$dist/$name/vardex.txt"
sed 's/$/\r/' LICENSE >"$dist/$name/LICENSE.txt"
(cd "$dist" && cmake -E tar cf "$name.zip" --format=zip "$name")
realpath "$dist/$name.zip"

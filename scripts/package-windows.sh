#!/usr/bin/env bash
# Builds the Windows programs with MinGW-w64 and the static Qt (preset
# windows in build/windows, the build scripts/test-windows.sh tests) and packs
# them into build/windows/dist:
#   vardex-<version>-windows-x86_64.zip          a portable copy: both
#     programs, vardex's manual as text, the guide, the licences;
#   vardex-configurator-<version>-setup.exe      the same, installed by a
#     setup program (NSIS) with Start-menu entries and an uninstaller.
# Prints the zip's path, then the setup program's path, each on its own line
# (the setup program's is the last line).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/lib/source-date.sh
scripts/install-cross-deps.sh windows >&2
. scripts/lib/qt-windows.sh
VARDEX_QT_WINDOWS=$(qt_windows_prefix)
export VARDEX_QT_WINDOWS
build=build/windows
dist="$build/dist"

cmake --preset windows >/dev/null
cmake --build --preset windows --target vardex vardex-configurator vardex-guide \
  -j"$(nproc)" >&2

# One program file each: it may load only DLLs that every 64-bit Windows has.
system_dlls='kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|comdlg32|imm32|winmm'
system_dlls+='|uxtheme|dwmapi|version|setupapi|shlwapi|msvcrt|d3d11|dxgi|d2d1|dwrite|userenv'
system_dlls+='|netapi32|wtsapi32|mpr|ws2_32|comctl32|authz|shcore|d3d9|api-ms-win-core-[a-z0-9-]+'
for exe in "$build/cli/vardex.exe" "$build/app/vardex-configurator.exe"; do
  foreign=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' |
    grep -viE "^($system_dlls)\.dll$" || true)
  if [ -n "$foreign" ]; then
    echo "package-windows.sh: $(basename "$exe") needs DLLs beside it:" $foreign >&2
    exit 1
  fi
done

# Qt is linked in, so its licence and its bundled libraries' notices go along.
qt_licenses="$VARDEX_QT_WINDOWS/licenses"
if [ ! -f "$qt_licenses/LGPL-3.0-only.txt" ] || [ ! -d "$qt_licenses/3rdparty" ]; then
  echo "package-windows.sh: $qt_licenses lacks Qt's licences or its libraries' notices;" \
    "remove $VARDEX_QT_WINDOWS and run scripts/install-cross-deps.sh windows" >&2
  exit 1
fi

# The manual is the Windows program's own help, every command's included,
# taken under Wine.
export WINEPREFIX="$PWD/$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d
wine64=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
cmake/wine_session.sh start "$wine64" "$wineserver"
trap 'cmake/wine_session.sh stop "$wine64" "$wineserver"' EXIT
vardex() { "$wine64" "$build/cli/vardex.exe" "$@" </dev/null; }
version=$(vardex --version | sed -n 's/.*) \([0-9.]*\).*/\1/p')

# Text files with Windows line ends, so that any editor shows them.
crlf() { sed 's/\r*$/\r/' "$1" >"$2"; }
name="vardex-$version-windows-x86_64"
stage="$dist/$name"
rm -rf "$dist"
mkdir -p "$stage/doc" "$stage/licenses/Qt" "$stage/licenses/MinGW-w64"
for exe in "$build/cli/vardex.exe" "$build/app/vardex-configurator.exe"; do
  x86_64-w64-mingw32-strip -o "$stage/$(basename "$exe")" "$exe"
done
{
  vardex --help
  for command in $(vardex --completion-words | tr -d '\r'); do
    printf '\n\n'
    vardex "$command" --help
  done
} | sed 's/\r*$/\r/' >"$stage/vardex.txt"
cp "$build/docs/guide.html" "$build/docs/field-reference.html" "$stage/doc/"
crlf LICENSE "$stage/LICENSE.txt"
cp -r "$qt_licenses/." "$stage/licenses/Qt/"
crlf /usr/share/doc/mingw-w64-common/copyright "$stage/licenses/MinGW-w64/mingw-w64.txt"
crlf /usr/share/doc/gcc-mingw-w64-base/copyright "$stage/licenses/MinGW-w64/gcc-runtime.txt"
sed 's/$/\r/' >"$stage/licenses/README.txt" <<README
VARDEX Configurator $version for Windows: what is in the programs, and under
which licences.

vardex-configurator.exe and vardex.exe are the VARDEX Configurator, under
the GNU General Public License version 3 or later (LICENSE.txt beside the
programs).
Its source, with the scripts that build these programs, is at
https://vardex.github.io/configurator.

vardex-configurator.exe has Qt $(qt_windows_version) built in, statically, under the
GNU Lesser General Public License version 3 (Qt/LGPL-3.0-only.txt), built from
Debian's qt6-base source by scripts/install-cross-deps.sh windows; the source
of this program and those scripts let you build it against another Qt.
Qt/debian-copyright lists the copyright holders of that source. Qt in turn
has these libraries built in, each under its own licence (Qt/3rdparty, one
folder each with its licence and qt_attribution.json): zlib, libpng,
libjpeg, PCRE2, HarfBuzz, FreeType, double-conversion, md4c and smaller parts.

Both programs have the MinGW-w64 runtime and winpthreads (MinGW-w64/
mingw-w64.txt) and GCC's C++ runtime (MinGW-w64/gcc-runtime.txt, GPL with the
GCC Runtime Library Exception) built in.
README

# The zip depends on its files alone: the commit's time on every entry, one
# mode for all, sorted names, no owners or extra time fields (-X).
chmod -R u=rwX,go=rX "$stage"
find "$stage" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
(cd "$dist" && find "$name" | LC_ALL=C sort | zip -q -X -@ "$name.zip")

# The setup installs the staged files; the uninstaller removes just those.
files_nsh="$build/setup-files.nsh"
unfiles_nsh="$build/setup-unfiles.nsh"
win_path() { printf '%s' "${1//\//\\}"; }
{
  (cd "$stage" && find . -type d | sort) | while read -r dir; do
    rel=${dir#.}
    printf 'SetOutPath "$INSTDIR%s"\n' "$(win_path "$rel")"
    (cd "$stage/$dir" && find . -maxdepth 1 -type f | sort) | while read -r file; do
      printf 'File "%s"\n' "$PWD/$stage$rel/${file#./}"
    done
  done
  printf 'SetOutPath "$INSTDIR"\n'
} >"$files_nsh"
{
  (cd "$stage" && find . -type f | sort) | while read -r file; do
    printf 'Delete "$INSTDIR%s"\n' "$(win_path "${file#.}")"
  done
  (cd "$stage" && find . -mindepth 1 -type d | sort -r) | while read -r dir; do
    printf 'RMDir "$INSTDIR%s"\n' "$(win_path "${dir#.}")"
  done
} >"$unfiles_nsh"
setup="$dist/vardex-configurator-$version-setup.exe"
makensis -V2 -NOCD -DVERSION="$version" -DSTAGE="$PWD/$stage" -DFILES_NSH="$PWD/$files_nsh" \
  -DUNFILES_NSH="$PWD/$unfiles_nsh" -DICON="$PWD/$build/icons/vardex-configurator.ico" \
  -DOUTFILE="$PWD/$setup" packaging/windows/setup.nsi >&2

realpath "$dist/$name.zip"
realpath "$setup"

#!/usr/bin/env bash
# Checks the Windows setup program under Wine, in a prefix of its own: a
# silent install (/S) puts both programs, the guide and the licences into
# Program Files, the Start-menu entries and the entry in the system's list of
# installed programs; the installed window starts (on its own Xvfb); a
# silent uninstall leaves none of it behind.
# Usage: check-package-windows.sh [SETUP.exe]  (default: package.sh --windows)
# Every failure is named: the step's command and its exit status.
set -euo pipefail
cd "$(dirname "$0")/.."
fail() {
  echo "check-package-windows.sh: $*" >&2
  exit 1
}
# run COMMAND...: runs one step (stdin closed); a failing one ends the check
# with the command and its exit status.
run() {
  local status=0
  "$@" </dev/null || status=$?
  [ "$status" -eq 0 ] || fail "failed with exit status $status: $*"
}
# Whatever else fails under set -e is named too, with its line.
trap 'echo "check-package-windows.sh: line $LINENO failed with exit status $?: $BASH_COMMAND" >&2' ERR
if [ -n "${1:-}" ]; then
  setup=$(realpath "$1")
else
  . scripts/lib/last-line.sh
  setup=$(realpath "$(last_line_of scripts/package.sh --windows)")
fi
[ -f "$setup" ] || fail "no setup program at $setup"
version=$(basename "$setup" | sed -n 's/^vardex-configurator-\(.*\)-setup\.exe$/\1/p')
scratch=$(mktemp -d /tmp/vardex-setup-check-XXXXXX)
export WINEPREFIX="$scratch/prefix" WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d
wine64=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
xvfb=""
cleanup() {
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
  cmake/wine_session.sh stop "$wine64" "$wineserver" >/dev/null 2>&1 || true
  rm -rf "$scratch"
}
trap cleanup EXIT
wine() { "$wine64" "$@" </dev/null; }
# Wine's desktop belongs to the display its server first met: Xvfb first.
mkfifo "$scratch/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$scratch/display" >/dev/null 2>&1 &
xvfb=$!
read -r -t 30 display <"$scratch/display" || fail "Xvfb did not start"
export DISPLAY=":$display"
# A new prefix: its first boot runs to its end before the setup program.
echo "a new Wine prefix: its first boot"
run cmake/wine_session.sh start "$wine64" "$wineserver"

program_dir="$WINEPREFIX/drive_c/Program Files/VARDEX Configurator"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/VARDEX Configurator"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\VARDEX Configurator'
installed=(vardex-configurator.exe vardex.exe vardex.txt LICENSE.txt uninstall.exe
  doc/guide.html doc/field-reference.html licenses/README.txt licenses/Qt/LGPL-3.0-only.txt
  licenses/MinGW-w64/mingw-w64.txt)

echo "silent install of $(basename "$setup")"
run "$wine64" "$setup" /S
for file in "${installed[@]}"; do
  [ -f "$program_dir/$file" ] || fail "not installed: $file"
done
for link in "VARDEX Configurator.lnk" "VARDEX Configurator user guide.lnk" "VARDEX command prompt.lnk"; do
  [ -f "$menu/$link" ] || fail "no Start-menu entry $link"
done
entry=$(wine reg query "$key") || fail "wine reg query \"$key\" failed with exit status $?"
entry=$(tr -d '\r' <<<"$entry")
for value in "DisplayName REG_SZ VARDEX Configurator" "DisplayVersion REG_SZ $version" \
  "Publisher REG_SZ VARDEX Configurator developers" \
  'DisplayIcon REG_SZ C:\Program Files\VARDEX Configurator\vardex-configurator.exe,0' \
  'UninstallString REG_SZ "C:\Program Files\VARDEX Configurator\uninstall.exe"' \
  "EstimatedSize REG_DWORD 0x"; do
  grep -qF -- "$value" <<<"$(sed 's/^ *//; s/    / /g' <<<"$entry")" ||
    fail "the installed programs' entry lacks \"$value\": $entry"
done
echo "installed: ${#installed[@]} files checked, Start-menu entries, $(grep -c REG_ <<<"$entry") values in the list of installed programs"

echo "the installed window starts"
"$wine64" "$program_dir/vardex-configurator.exe" </dev/null >/dev/null 2>&1 &
window=$!
for _ in $(seq 120); do
  xdotool search --onlyvisible --name '^VARDEX Plus Configurator v1\.26$' \
    >/dev/null 2>&1 && break
  sleep 0.5
done
xdotool search --onlyvisible --name '^VARDEX Plus Configurator v1\.26$' \
  >/dev/null || fail "the installed vardex-configurator.exe showed no window within 60 s"
kill "$window" 2>/dev/null || true
wait "$window" 2>/dev/null || true

echo "silent uninstall"
run "$wine64" "$program_dir/uninstall.exe" /S
# The uninstaller runs on as a copy of itself, which ends after it.
for _ in $(seq 120); do
  [ -e "$program_dir" ] || break
  sleep 0.5
done
[ ! -e "$program_dir" ] || fail "left behind: $(cd "$program_dir" && find . | head)"
[ ! -e "$menu" ] || fail "the Start-menu folder is left behind"
if wine reg query "$key" >/dev/null 2>&1; then
  fail "the entry in the list of installed programs is left behind"
fi
echo "check-package-windows.sh: $(basename "$setup") installs, starts and uninstalls cleanly"

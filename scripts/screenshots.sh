#!/usr/bin/env bash
# Takes the user guide's pictures (docs/images/) from the real window under
# Xvfb, against two simulators: COM2 answers (slowly, so a read can be caught
# half-way), COM3 never answers (asked again, then the no-reply notice); COM9
# is linked to a device that is not there. The first page is taken again on a screen
# scaled by 1.5, and the window on Windows under Wine. The PNGs are reduced to
# a 256-colour palette where that is smaller. Run it after a change to the
# window, then look at the pictures and commit them with the guide.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=build/default
[ -f "$build/CMakeCache.txt" ] || cmake --preset default >/dev/null
cmake --build "$build" -j2 --target vardex-guide-screenshots vardex-sim
shots="$build/guide-screenshots"
out=docs/images

tmp="$(mktemp -d)"
sims=()
cleanup() {
  for pid in "${sims[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$tmp"
}
trap cleanup EXIT
# The caches (the static Qt for Windows, ccache) stay where they are when the
# home below changes.
export VARDEX_CACHE_DIR="${VARDEX_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/vardex}"
export CCACHE_DIR="${CCACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/ccache}"
# A home of its own: the COM names lead only to these simulators.
export HOME="$tmp/home"
mkdir -p "$HOME/.vardex/dosdevices"
chmod -R 700 "$HOME"
start_sim() {  # COM number, then fault switches
  local n=$1
  shift
  "$build/sim/vardex-sim" --com "$n" --exit-with-parent "$@" >"$tmp/sim$n.out" &
  sims+=($!)
  for _ in $(seq 100); do grep -q READY "$tmp/sim$n.out" && return 0; sleep 0.1; done
  echo "vardex-sim --com $n did not start" >&2
  return 1
}
start_sim 2 --delay-ms 150
start_sim 3 --silent-from 1
ln -s /dev/ttyUSB9 "$HOME/.vardex/dosdevices/com9"

rm -rf "$shots"
mkdir -p "$shots" "$out"
export LANG=C.UTF-8 QT_QPA_PLATFORM=xcb
xvfb-run -a -s "-screen 0 1600x1200x24" \
  "$build/app/vardex-guide-screenshots" "$shots" COM2 COM3 COM9
QT_SCALE_FACTOR=1.5 xvfb-run -a -s "-screen 0 2400x1800x24" \
  "$build/app/vardex-guide-screenshots" --first-page "$shots" -scaled-1.5x

# The window on Windows, under Wine (the Windows build with the static Qt):
# the window at start.
. scripts/lib/qt-windows.sh
VARDEX_QT_WINDOWS=$(qt_windows_prefix)
if [ ! -f "$VARDEX_QT_WINDOWS/.complete" ]; then
  echo "screenshots.sh: no picture of the window on Windows without the static Qt:" \
    "run scripts/install-cross-deps.sh windows, then this script again" >&2
  exit 1
fi
export VARDEX_QT_WINDOWS
cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target vardex-configurator
# Qt's GDI font engine draws no text in line edits under Wine.
WINEPREFIX="$tmp/wine" WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d \
  xvfb-run -a -s "-screen 0 1600x1200x24" bash -c '
    /usr/lib/wine/wine64 build/windows/app/vardex-configurator.exe \
      -platform windows:fontengine=freetype &
    for _ in $(seq 240); do
      window=$(xdotool search --onlyvisible --name "^VARDEX Plus Configurator v1\.26$" | head -n 1)
      [ -n "$window" ] && break
      sleep 0.5
    done
    sleep 3  # painted
    import -window "$window" "$1/windows-window.png"
    kill %1
    /usr/lib/wine/wineserver -k' windows-shot "$shots"

# Optimise and copy: the palette version when it is smaller, no metadata.
for png in "$shots"/*.png; do
  name="$(basename "$png")"
  convert "$png" -strip -define png:compression-level=9 "$tmp/full.png"
  convert "$png" -strip -dither None -colors 256 -define png:compression-level=9 "PNG8:$tmp/pal.png"
  if [ "$(stat -c %s "$tmp/pal.png")" -lt "$(stat -c %s "$tmp/full.png")" ]; then
    cp "$tmp/pal.png" "$out/$name"
  else
    cp "$tmp/full.png" "$out/$name"
  fi
done
du -ch "$out"/*.png | tail -n 1

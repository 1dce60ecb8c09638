#!/usr/bin/env bash
# The largest firmware upload under Wine against vardex-sim paced at 115200
# baud: vardex.exe flash, then the window (vardex-configurator.exe worked by
# xdotool on its own Xvfb), RUNS times each (default 3). Prints wall time
# against the line limit; asserts nothing. Needs the Windows build with the
# window (build/windows, scripts/test-windows.sh makes it) and vardex-sim and
# vardex from the default build.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-3}
build=$PWD/build/windows
# The Wine end-to-end test's prefix; it starts and ends its Wine server.
export WINEPREFIX="$build/wineprefix-window" WINEDEBUG=-all
wine64=/usr/lib/wine/wine64
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
/usr/bin/python3 tests/e2e/window_wine_test.py "$wine64" "$build/app/vardex-configurator.exe" \
  "$build/app/vardex-window-layout.exe" build/default/sim/vardex-sim build/default/cli/vardex \
  --bench "$runs"

#!/usr/bin/env bash
# Installs what is missing, builds, and starts the configurator. When no
# device is attached (no COM1 link and no serial port listed), a simulated
# VARDEX is started and registered as COM1 for the session.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j"$(nproc)" --target vardex-configurator vardex-sim

link_dir="$HOME/.vardex/dosdevices"
sim_pid=""
has_device() {
  [ -e "$link_dir/com1" ] && return 0
  compgen -G "/dev/ttyUSB*" >/dev/null || compgen -G "/dev/ttyACM*" >/dev/null
}
if ! has_device; then
  echo "No device attached: starting the VARDEX simulator as COM1."
  build/default/sim/vardex-sim --com 1 --image "$HOME/.vardex/sim-image.bin" \
    --save-image "$HOME/.vardex/sim-image.bin" --baud 115200 >/tmp/vardex-sim.out &
  sim_pid=$!
  trap '[ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null' EXIT
  for _ in $(seq 50); do grep -q READY /tmp/vardex-sim.out 2>/dev/null && break; sleep 0.1; done
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: running under Xvfb (nothing visible; use a desktop session to see the window)."
  xvfb-run -a build/default/app/vardex-configurator
  exit
fi
build/default/app/vardex-configurator

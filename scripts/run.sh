#!/usr/bin/env bash
# Installs what building and running need, builds, and starts the
# configurator. When no device is attached (no COM1 link and no serial port
# listed), a simulated VARDEX is started and registered as COM1 for the
# session. (scripts/test.sh installs the test tools besides.)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --build
cmake --preset default >/dev/null
cmake --build --preset default -j"$(nproc)" --target vardex-configurator vardex-sim

# The simulator's output goes to a folder of this run's own (mode 0700, a
# name no one can guess), removed at the end.
scratch=$(mktemp -d "${TMPDIR:-/tmp}/vardex-run.XXXXXX")
sim_pid=""
cleanup() {
  [ -z "$sim_pid" ] || kill "$sim_pid" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

link_dir="$HOME/.vardex/dosdevices"
has_device() {
  [ -e "$link_dir/com1" ] && return 0
  compgen -G "/dev/ttyUSB*" >/dev/null || compgen -G "/dev/ttyACM*" >/dev/null
}
if ! has_device; then
  echo "No device attached: starting the VARDEX simulator as COM1."
  sim_out="$scratch/vardex-sim.out"
  build/default/sim/vardex-sim --com 1 --image "$HOME/.vardex/sim-image.bin" \
    --save-image "$HOME/.vardex/sim-image.bin" --baud 115200 >"$sim_out" &
  sim_pid=$!
  for _ in $(seq 50); do
    grep -q READY "$sim_out" 2>/dev/null && break
    if ! kill -0 "$sim_pid" 2>/dev/null; then
      echo "run.sh: the simulator stopped (its message is above)" >&2
      exit 1
    fi
    sleep 0.1
  done
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: running under Xvfb (nothing visible; use a desktop session to see the window)."
  xvfb-run -a build/default/app/vardex-configurator
  exit
fi
build/default/app/vardex-configurator

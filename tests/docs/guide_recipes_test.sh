#!/usr/bin/env bash
# Runs the guide's recipes (its ```sh blocks) as shown, in the guide's order,
# in one folder, against two simulated devices registered as COM3 and COM4.
# The files a recipe takes as the user's own (a firmware, a dated backup) are
# made first. A block passes when bash -e runs it to the status its last line
# names ("exits with N", else 0). Then the copy recipe must have reached COM4
# with the new callsign and login, and the scripted flash must report the
# status of a failed upload.
# $1: vardex, $2: vardex-sim, $3: the guide.
set -u
vardex=$(realpath "$1") sim=$(realpath "$2") guide=$(realpath "$3")
dir=$(mktemp -d)
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done; wait; rm -rf "$dir"' EXIT
mkdir -p "$dir/bin" "$dir/work" "$dir/blocks"
ln -s "$vardex" "$dir/bin/vardex"
# A home of our own: COM names resolve through its ~/.vardex/dosdevices only.
export HOME="$dir" PATH="$dir/bin:$PATH"

start_sim() {  # COM number, image file it saves
  "$sim" --com "$1" --save-image "$2" --exit-with-parent >"$dir/sim$1.out" 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do grep -q READY "$dir/sim$1.out" && return 0; sleep 0.1; done
  echo "vardex-sim --com $1 did not start:"; cat "$dir/sim$1.out"
  exit 1
}
start_sim 3 "$dir/com3.img"
start_sim 4 "$dir/com4.img"

cd "$dir/work"
head -c 4096 /dev/urandom >vardex-fw.bin
cp vardex-fw.bin fw.bin
vardex read --quiet COM3 -o backup-2026-12-07.img || { echo "cannot read COM3"; exit 1; }

# One file per block, the fence's indentation taken off.
awk -v out="$dir/blocks" '
  /^ *```sh *$/ { n++; indent = index($0, "`") - 1; file = sprintf("%s/%02d.sh", out, n); next }
  file && /^ *``` *$/ { close(file); file = ""; next }
  file { print substr($0, indent + 1) > file }
' "$guide"

failed=0
blocks=0
for block in "$dir"/blocks/*.sh; do
  blocks=$((blocks + 1))
  expected=$(tail -n 1 "$block" | sed -n 's/.*# .*exits with \([0-9]*\).*/\1/p')
  expected=${expected:-0}
  bash -e -o pipefail "$block" >"$block.out" 2>&1
  status=$?
  if [ "$status" -eq "$expected" ]; then
    echo "ok: $(head -n 1 "$block")"
  else
    echo "FAILED with status $status (expected $expected):"
    sed 's/^/  | /' "$block"
    sed 's/^/  > /' "$block.out"
    failed=1
  fi
done
[ "$blocks" -ge 10 ] || { echo "only $blocks recipes found in $guide"; failed=1; }

# The copy recipe's image reached the second device with the new name.
for text in VX2ABC 21944; do
  if ! grep -q "$text" "$dir/com4.img" 2>/dev/null; then
    echo "FAILED: COM4 holds no $text after the copy recipe"
    failed=1
  fi
done

# The scripted flash with no device behind COM3 reports the status vardex gave.
flash_block=$(grep -l 'vardex flash --quiet' "$dir"/blocks/*.sh)
kill "${pids[0]}"
wait "${pids[0]}" 2>/dev/null
report=$(bash "$flash_block" 2>&1)
if [[ "$report" == *"upgrade failed with status 3"* ]]; then
  echo "ok: the scripted flash reports status 3 without a device"
else
  echo "FAILED: the scripted flash without a device said: $report"
  failed=1
fi
exit $failed

#!/usr/bin/env bash
# Builds the fuzz targets (preset "fuzz": clang, libFuzzer, AddressSanitizer
# and UndefinedBehaviorSanitizer) and runs each for SECONDS (default 60; 0
# runs until the other limits stop it) from a scratch copy of its committed
# corpus, so that runs never grow the repository. Further arguments go to
# libFuzzer, for instance -runs=10000000.
#
# Prints per target: executions per second, total executions, coverage
# (cov: edges, ft: features) and findings. Exits non-zero when a target found
# something; the input that broke it is kept in build/fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

seconds="${1:-60}"
[ $# -gt 0 ] && shift

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$(nproc)"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
findings="$PWD/build/fuzz/findings"
mkdir -p "$findings"

# Longest input each target takes: one image, or a link session.
max_len() {
  case "$1" in
    config_image) echo 2048 ;;
    *) echo 1024 ;;
  esac
}

failed=0
for fuzzer in build/fuzz/fuzz/*_fuzzer; do
  name="$(basename "$fuzzer" _fuzzer)"
  corpus="$work/$name"
  mkdir -p "$corpus"
  cp fuzz/corpus/"$name"/* "$corpus"/
  if [ -d fuzz/regressions/"$name" ]; then
    cp fuzz/regressions/"$name"/* "$corpus"/
  fi
  options=(-max_total_time="$seconds" -max_len="$(max_len "$name")" -timeout=10
           -print_final_stats=1 -artifact_prefix="$findings/$name-")
  if [ -f fuzz/"$name".dict ]; then
    options+=(-dict=fuzz/"$name".dict)
  fi
  log="$work/$name.log"
  before="$(find "$findings" -name "$name-*" | wc -l)"
  echo "=== fuzz $name (${seconds}s) ==="
  rc=0
  "$fuzzer" "${options[@]}" "$@" "$corpus" >"$log" 2>&1 || rc=$?
  after="$(find "$findings" -name "$name-*" | wc -l)"

  execs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)"
  rate="$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)"
  cov="$(grep -oE 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -1 || true)"
  found=$((after - before))
  if [ "$rc" -ne 0 ] && [ "$found" -eq 0 ]; then
    found=1
  fi
  echo "$name: ${execs:-0} execs, ${rate:-0} execs/s, ${cov:-no coverage line}, findings: $found"
  if [ "$found" -ne 0 ]; then
    failed=1
    grep -E 'invariant broken|ERROR|SUMMARY|Test unit written' "$log" | head -20 || true
    echo "full log: $findings/$name.log"
    cp "$log" "$findings/$name.log"
  fi
done
exit "$failed"

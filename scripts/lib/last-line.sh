# last_line_of COMMAND...: runs COMMAND and prints the last line of its
# output (a package script's path). When it fails, its whole output goes to
# standard error first, so that a build error is seen rather than swallowed
# by the `| tail -n 1` of a caller under set -e.
last_line_of() {
  local log status=0
  log="$(mktemp)"
  "$@" >"$log" || status=$?
  if [ "$status" -ne 0 ]; then
    cat "$log" >&2
    echo "$* failed with exit status $status (its output is above)" >&2
    rm -f "$log"
    return "$status"
  fi
  tail -n 1 "$log"
  rm -f "$log"
}

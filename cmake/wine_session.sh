#!/bin/sh
# wine_session.sh start|stop WINE64 WINESERVER: keeps one Wine server and its
# services running in $WINEPREFIX for a test run. Started on demand instead,
# the services would inherit the output pipes of the first test program and
# hold them open until the server quits, some seconds after every program.
set -eu
wine64=$2
wineserver=$3
# What the Wine steps print goes to a log beside the prefix (a pipe would be
# held open by the server).
log="$WINEPREFIX.session.log"

# quiet COMMAND...: runs one step into the log; a failing step is named with
# its exit status and the log's end, and its status returned.
quiet() {
  status=0
  "$@" </dev/null >>"$log" 2>&1 || status=$?
  if [ "$status" -ne 0 ]; then
    echo "wine_session.sh: \"$*\" failed with exit status $status; the end of $log:" >&2
    tail -n 20 "$log" >&2 || true
  fi
  return "$status"
}

# A new prefix boots once (registry, system folder, services) and the first
# program would otherwise run while that boot still goes on. The boot's own
# server ends when the boot and everything it started have ended; then one
# program must run in the prefix.
boot() {
  quiet "$wine64" wineboot --init &&
    quiet timeout 300 "$wineserver" -w &&
    quiet "$wine64" cmd /c exit &&
    quiet timeout 60 "$wineserver" -w
}

case "$1" in
  start)
    # The server needs the prefix's folder.
    mkdir -p "$WINEPREFIX"
    : >"$log"
    if [ ! -f "$WINEPREFIX/system.reg" ] && ! boot; then
      # On a loaded machine a first boot has been seen to leave the system
      # folder without its programs' libraries (kernel32.dll not found in
      # every later program): such a prefix is made again, once.
      echo "wine_session.sh: the new prefix $WINEPREFIX did not boot; making it again" >&2
      "$wineserver" -k >/dev/null 2>&1 || true
      timeout 60 "$wineserver" -w >/dev/null 2>&1 || true
      rm -rf "$WINEPREFIX"
      mkdir -p "$WINEPREFIX"
      boot || exit
    fi
    quiet "$wineserver" -p || exit
    quiet "$wine64" cmd /c exit || exit
    ;;
  stop)
    "$wineserver" -k || true
    ;;
esac

#!/bin/sh
# wine_session.sh start|stop WINE64 WINESERVER: keeps one Wine server and its
# services running in $WINEPREFIX for a test run. Started on demand instead,
# the services would inherit the output pipes of the first test program and
# hold them open until the server quits, some seconds after every program.
set -eu
case "$1" in
  start)
    # A new prefix is made by the first program; the server needs its folder.
    mkdir -p "$WINEPREFIX"
    "$3" -p </dev/null >/dev/null 2>&1
    "$2" cmd /c exit </dev/null >/dev/null 2>&1
    ;;
  stop)
    "$3" -k || true
    ;;
esac

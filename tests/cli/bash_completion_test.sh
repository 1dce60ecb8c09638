#!/usr/bin/env bash
# Runs the bash completion of vardex against the built program the way bash
# does on Tab, and compares what it offers. $1: vardex, $2: the completion file.
set -u
[ -f /usr/share/bash-completion/bash_completion ] || { echo "bash-completion not installed"; exit 77; }
. /usr/share/bash-completion/bash_completion
. "$2"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
mkdir -p "$dir/bin" && ln -s "$(realpath "$1")" "$dir/bin/vardex"
touch "$dir/fw.bin" "$dir/first.img"
cd "$dir"
# A home of our own: COM names resolve through ~/.vardex/dosdevices only.
export HOME="$dir" PATH="$dir/bin:$PATH"

offers() {  # command line up to the cursor -> the sorted offers, one line
  COMP_LINE="$1" COMP_POINT=${#1}
  read -ra COMP_WORDS <<<"$1"
  [[ $1 == *" " ]] && COMP_WORDS+=("")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _vardex vardex "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
  ((${#COMPREPLY[@]} == 0)) || printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' '
}

failed=0
check() {
  local got
  got="$(offers "$1")"
  if [ "$got" != "$2" ]; then
    echo "\"$1\": offered \"$got\", expected \"$2\""
    failed=1
  fi
}
check "vardex r" "read report "
check "vardex report -o r.zip --" "--help --output "
check "vardex d" "defaults diff "
check "vardex --v" "--version "
check "vardex read COM" "COM1 COM2 COM3 COM4 COM5 COM6 COM7 COM8 COM9 "
check "vardex read COM1 --o" "--output "
check "vardex read COM1 -o f" "first.img fw.bin "
check "vardex read COM1 --output=fi" "first.img "
check "vardex write --clock " "keep pc "
check "vardex write --clock=k" "keep "
check "vardex write COM2 fi" "first.img "
check "vardex flash --timeout 5 COM1 fw" "fw.bin "
check "vardex flash -q -- COM1 fw" "fw.bin "
check "vardex flash COM1 fw.bin --backup fi" "first.img "
check "vardex show first.img --" "--help --json "
check "vardex ports " ""
exit $failed

# bash completion for vardex. The command, operand and option words come from
# the program itself (vardex --completion-words), so they follow its tables.

_vardex_words() {
  "${words[0]}" --completion-words "$@" 2>/dev/null
}

# COM1 to COM9 and the device paths "vardex ports" lists.
_vardex_ports() {
  local ports
  ports="COM1 COM2 COM3 COM4 COM5 COM6 COM7 COM8 COM9 $("${words[0]}" ports 2>/dev/null | sed -n 's|^\(/[^ ]*\)$|\1|p')"
  COMPREPLY=($(compgen -W "$ports" -- "$cur"))
}

# What a word of kind $1 (an operand or an option's value) completes to.
_vardex_value() {
  case $1 in
    PORT) _vardex_ports ;;
    SECONDS) COMPREPLY=() ;;
    *\|*) COMPREPLY=($(compgen -W "${1//|/ }" -- "$cur")) ;;
    *) _filedir ;;
  esac
}

_vardex() {
  local cur prev words cword split
  _init_completion -s || return

  if ((cword == 1)); then
    COMPREPLY=($(compgen -W "$(_vardex_words) --help --version" -- "$cur"))
    return
  fi

  local -a operands=()
  local -A takes=()
  local kind name value
  while read -r kind name value; do
    case $kind in
      operand) operands+=("$name") ;;
      option) takes[$name]=${value:--} ;;
    esac
  done < <(_vardex_words "${words[1]}")

  # The value of an option, after a space or after "=".
  local wanted=${takes[$prev]:--}
  if [[ $wanted != - ]]; then
    _vardex_value "$wanted"
    return
  fi
  if [[ $cur == -* ]] && ! $split; then
    COMPREPLY=($(compgen -W "${!takes[*]}" -- "$cur"))
    return
  fi

  # Which operand this is: the words before it that are neither options nor
  # their values, nor "--".
  local i n=0 ended=false
  for ((i = 2; i < cword; i++)); do
    if ! $ended && [[ ${words[i]} == -- ]]; then
      ended=true
    elif ! $ended && [[ ${words[i]} == -* ]]; then
      [[ ${takes[${words[i]}]:--} != - && ${words[i]} != *=* ]] && ((i++))
    else
      ((n++))
    fi
  done
  ((n < ${#operands[@]})) && _vardex_value "${operands[n]}"
}
complete -F _vardex vardex

# install_missing [--arch ARCH] PACKAGE...: installs with apt-get those of
# the packages that are not installed yet (as root, or through sudo); with
# --arch, the foreign architecture is added to dpkg first. Does nothing
# when all of them are there.
install_missing() {
  local arch=""
  if [ "${1:-}" = "--arch" ]; then
    arch="$2"
    shift 2
  fi
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  if [ -n "$arch" ] && ! dpkg --print-foreign-architectures | grep -qx "$arch"; then
    "${sudo_cmd[@]}" dpkg --add-architecture "$arch"
  fi
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
}

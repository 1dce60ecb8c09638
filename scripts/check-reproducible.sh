#!/usr/bin/env bash
# Checks that release files depend on the commit alone: clones the current
# commit into two folders of different names and lengths, builds the amd64
# Debian package and the Windows zip and setup program in each (fresh build
# folders, the same commit time), and compares their SHA-256 sums, printed
# side by side. The second clone compiles everything anew (ccache recaches),
# so that a cached object of the first cannot hide a difference; --cached
# lets it take the cache (quicker, weaker). --deb-only leaves out the
# Windows files (which need the static Qt for Windows). --against-release
# also compares them with build/release/SHA256SUMS, which scripts/release.sh
# wrote for this commit in this tree, whatever its build folders held
# before. Exits 1 when a file differs.
set -euo pipefail
cd "$(dirname "$0")/.."
windows=1 recache=1 release_sums=""
for option in "$@"; do
  case "$option" in
    --deb-only) windows=0 ;;
    --cached) recache=0 ;;
    --against-release) release_sums=build/release/SHA256SUMS ;;
    *)
      echo "usage: check-reproducible.sh [--deb-only] [--cached] [--against-release]" >&2
      exit 1
      ;;
  esac
done
if [ -n "$release_sums" ] && [ ! -f "$release_sums" ]; then
  echo "check-reproducible.sh: no $release_sums; run scripts/release.sh first" >&2
  exit 1
fi
commit=$(git rev-parse HEAD)
git diff --quiet HEAD || echo "check-reproducible.sh: uncommitted changes are left out" >&2
work=$(mktemp -d "${TMPDIR:-/tmp}/vardex-reproducible.XXXXXX")
trap 'rm -rf "$work"' EXIT

# build SIDE FOLDER [ENV...]: the release files of a fresh clone in FOLDER,
# built with ENV set, their sums in SIDE.sums.
build() {
  local side="$1" tree="$2" started=$SECONDS
  shift 2
  git clone -q --shared --no-checkout . "$tree"
  git -C "$tree" checkout -q --detach "$commit"
  echo "building in $tree (log: $work/$side.log)" >&2
  if ! (cd "$tree" && for setting in "$@"; do export "$setting"; done && scripts/package.sh &&
    { [ "$windows" = 0 ] || scripts/package.sh --windows; }) >"$work/$side.log" 2>&1; then
    tail -n 30 "$work/$side.log" >&2
    echo "check-reproducible.sh: the build in $tree failed" >&2
    exit 1
  fi
  (cd "$tree/build" && sha256sum package/dist/*.deb) >"$work/$side.sums"
  [ "$windows" = 0 ] ||
    (cd "$tree/build" && sha256sum windows/dist/*.zip windows/dist/*-setup.exe) >>"$work/$side.sums"
  echo "  built in $((SECONDS - started)) s" >&2
}
build first "$work/a/vardex"
if [ "$recache" = 1 ]; then
  build second "$work/second-clone-of-the-tree/vardex-configurator" CCACHE_RECACHE=1
else
  build second "$work/second-clone-of-the-tree/vardex-configurator"
fi

printf '%-64s  %-64s  %s\n' "first clone" "second clone" "file"
paste -d' ' "$work/first.sums" "$work/second.sums" | awk '{ printf "%s  %s  %s\n", $1, $3, $2 }'
if ! diff -q "$work/first.sums" "$work/second.sums" >/dev/null; then
  echo "check-reproducible.sh: the two builds of $commit differ" >&2
  exit 1
fi
echo "reproducible: $(wc -l <"$work/first.sums") files of $commit built alike in two folders"

# The release folder was built in this tree after whatever its build folders
# held (CI's tests build them first, without the commit's time): its files
# must be the fresh clone's.
if [ -n "$release_sums" ]; then
  printf '%-64s  %-64s  %s\n' "release folder" "fresh clone" "file"
  differ=0
  while read -r sum path; do
    name=$(basename "$path")
    released=$(awk -v name="$name" '$2 == name { print $1 }' "$release_sums")
    printf '%-64s  %-64s  %s\n' "${released:-(not in $release_sums)}" "$sum" "$name"
    [ "$released" = "$sum" ] || differ=1
  done <"$work/first.sums"
  if [ "$differ" = 1 ]; then
    echo "check-reproducible.sh: $release_sums differs from a fresh clone of $commit" >&2
    exit 1
  fi
  echo "reproducible: the release folder's files are the fresh clone's"
fi

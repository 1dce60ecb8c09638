#!/usr/bin/env bash
# Builds every file a release offers into one folder, build/release: the
# Debian packages for amd64 and arm64, the Windows zip and the Windows setup
# program; beside them the user guide and its field reference as HTML
# (pictures inside), and SHA256SUMS over all of them. Prints each file with its size and SHA-256.
#
# The files depend only on the commit: another clone of it, elsewhere, gives
# the same SHA256SUMS (scripts/check-reproducible.sh checks it).
#
# The package builds are incremental: after the package checks have built
# them (as in CI) this mostly packs and collects. Each build's output goes to
# a log in build/release-logs, shown when the build fails.
set -euo pipefail
cd "$(dirname "$0")/.."
# Every file takes the commit's time, so that a rebuild gives the same sums.
. scripts/lib/source-date.sh
release=build/release
logs=build/release-logs
rm -rf "$release" "$logs"
mkdir -p "$release" "$logs"

# build NAME COMMAND...: runs a package script into its log; prints the
# paths it printed (one per line, the package scripts' last lines).
build() {
  local name="$1" started=$SECONDS
  shift
  echo "building $name (log: $logs/$name.log)" >&2
  if ! "$@" >"$logs/$name.log" 2>&1; then
    echo "release.sh: building $name failed; the end of $logs/$name.log:" >&2
    tail -n 30 "$logs/$name.log" >&2
    exit 1
  fi
  echo "  $name built in $((SECONDS - started)) s" >&2
}

# one GLOB: the one file matching GLOB, or a failure naming what was found.
one() {
  local found=()
  shopt -s nullglob
  found=($1)
  shopt -u nullglob
  if [ ${#found[@]} -ne 1 ]; then
    echo "release.sh: expected one $1, found ${#found[@]}" >&2
    exit 1
  fi
  printf '%s\n' "${found[0]}"
}

build amd64 scripts/package.sh
build arm64 scripts/package.sh --arch arm64
build windows scripts/package.sh --windows

files=(
  "$(one 'build/package/dist/vardex-configurator_*_amd64.deb')"
  "$(one 'build/package-arm64/dist/vardex-configurator_*_arm64.deb')"
  "$(one 'build/windows/dist/*.zip')"
  "$(one 'build/windows/dist/*-setup.exe')"
)
# The guide as the amd64 package installs it; it links to the reference.
files+=(build/package/docs/guide.html build/package/docs/field-reference.html)

names=()
for file in "${files[@]}"; do
  [ -f "$file" ] || { echo "release.sh: $file was not built" >&2; exit 1; }
  cp "$file" "$release/"
  names+=("$(basename "$file")")
done
(cd "$release" && sha256sum -- "${names[@]}" >SHA256SUMS && sha256sum --quiet -c SHA256SUMS)

echo "Release files in $release:"
(cd "$release" && for name in "${names[@]}" SHA256SUMS; do
  printf '%-46s %10s bytes  %s\n' "$name" "$(stat -c %s "$name")" \
    "$(sha256sum -- "$name" | cut -d' ' -f1)"
done)

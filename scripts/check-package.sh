#!/usr/bin/env bash
# Builds the Debian package and checks it as a user meets it: its contents,
# lintian, the desktop entry and AppStream validators on the installed files,
# an apt install with dependencies, the programs from /usr/bin, and removal.
# Needs root (or sudo) to install; removes the package again, also on failure.
set -euo pipefail
cd "$(dirname "$0")/.."
id=io.github.vardex.Configurator
package=vardex-configurator
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

. scripts/lib/last-line.sh
deb="$(last_line_of scripts/package.sh)"
echo "=== checking $deb ==="

# Exactly the three programs are installed, and the files that go with them:
# desktop entry, manual pages, the user guide and the bash completion.
contents="$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|')"
programs="$(grep '^/usr/bin/.' <<<"$contents" | sort | tr '\n' ' ')"
if [ "$programs" != "/usr/bin/vardex /usr/bin/vardex-configurator /usr/bin/vardex-sim " ]; then
  echo "unexpected programs in the package: $programs" >&2
  exit 1
fi
for f in /usr/share/applications/$id.desktop \
  /usr/share/icons/hicolor/scalable/apps/$id.svg \
  /usr/share/metainfo/$id.metainfo.xml \
  /usr/share/man/man1/vardex-configurator.1.gz \
  /usr/share/man/man1/vardex.1.gz \
  /usr/share/man/man1/vardex-sim.1.gz \
  /usr/share/doc/$package/copyright \
  /usr/share/doc/$package/changelog.gz \
  /usr/share/doc/$package/guide.html \
  /usr/share/doc/$package/field-reference.html \
  /usr/share/bash-completion/completions/vardex; do
  grep -qxF "$f" <<<"$contents" || { echo "missing from the package: $f" >&2; exit 1; }
done
[ "$(dpkg-deb -f "$deb" Section)" = hamradio ] || { echo "section is not hamradio" >&2; exit 1; }

# Errors fail; warnings and notes are shown.
lintian --fail-on error --display-info "$deb"

remove() { DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get remove -y -qq "$package" >/dev/null || true; }
trap remove EXIT
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "$(realpath "$deb")"

desktop-file-validate /usr/share/applications/$id.desktop
appstreamcli validate --no-net /usr/share/metainfo/$id.metainfo.xml
# The window names this desktop entry, so desktops group it with its entry.
grep -qaF "$id" /usr/bin/vardex-configurator || { echo "window does not name $id" >&2; exit 1; }

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"; remove' EXIT
/usr/bin/vardex --version
/usr/bin/vardex defaults -o "$tmp/x.img"
[ "$(stat -c %s "$tmp/x.img")" -eq 2048 ] || { echo "vardex defaults did not write 2048 bytes" >&2; exit 1; }
/usr/bin/vardex-sim --help | grep -q '^Usage: vardex-sim'
# The window starts with the installed libraries and stays up until stopped.
status=0
QT_QPA_PLATFORM=offscreen timeout 3 /usr/bin/vardex-configurator || status=$?
[ "$status" -eq 124 ] || { echo "vardex-configurator ended with status $status" >&2; exit 1; }

# The guide holds every picture it names (they are built into the page).
pictures="$(grep -o '!\[[^]]*\](images/[^)]*)' docs/guide.md | sort -u | wc -l)"
embedded="$(grep -o '<img src="data:image/png;base64,' /usr/share/doc/$package/guide.html | wc -l)"
[ "$pictures" -gt 0 ] && [ "$embedded" -ge "$pictures" ] ||
  { echo "guide.html holds $embedded pictures, the guide names $pictures" >&2; exit 1; }
grep -q '<a href="field-reference.html">' /usr/share/doc/$package/guide.html ||
  { echo "guide.html does not link to field-reference.html" >&2; exit 1; }
for page in vardex vardex-sim vardex-configurator; do
  zcat /usr/share/man/man1/$page.1.gz | grep -q "guide.html" || { echo "man $page does not name the guide" >&2; exit 1; }
done

# bash completion, in an interactive shell as a new user has it (Debian's
# skeleton .bashrc loads bash-completion, which loads a command's completion
# at its first Tab; _completion_loader is that first Tab).
mkdir -p "$tmp/home"
cp /etc/skel/.bashrc "$tmp/home/"
completion="$(HOME="$tmp/home" bash -ic '_completion_loader vardex; complete -p vardex' 2>/dev/null)"
echo "$completion"
[ "$completion" = "complete -F _vardex vardex" ] || { echo "no bash completion for vardex" >&2; exit 1; }
offered="$(HOME="$tmp/home" bash -ic '_completion_loader vardex
  COMP_WORDS=(vardex rea) COMP_CWORD=1 COMP_LINE="vardex rea" COMP_POINT=10
  _vardex vardex rea vardex; echo "${COMPREPLY[*]}"' 2>/dev/null)"
[ "$offered" = read ] || { echo "completing \"vardex rea\" offered \"$offered\", not read" >&2; exit 1; }

trap 'rm -rf "$tmp"' EXIT
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get remove -y -qq "$package" >/dev/null
[ ! -e /usr/bin/vardex-configurator ] || { echo "removal left /usr/bin/vardex-configurator" >&2; exit 1; }
echo "package check passed: $deb"

# The static Qt for MinGW-w64 that the window's Windows build links: built
# from Debian's own qt6-base source of the installed Qt's version, so the
# Windows window and the Linux one share one Qt. Sourced by
# install-cross-deps.sh windows and by the scripts that build for Windows.
#
# qt_windows_prefix: prints the cache folder for the installed version and
# these options (outside the work tree, so that a clean clone reuses it).
# build_qt_windows: builds and installs into that folder unless it holds a
# finished build already; fails with a message when the source cannot be had.

# Only qtbase's source is served, so only qtbase is built: no SerialPort (the
# window uses the project's own Win32 port) and no Svg (the icon is a PNG).
# Left out: what the window never uses. Kept: Widgets, the windows and
# offscreen platform plugins, Test (the window's tests run under Wine).
# OpenGL is left out; direct2d stays at its default (switching it off breaks
# linking programs in 6.4.2); the tablet feature needs wintab.h, which the
# Debian tarball lacks.
qt_windows_options=(
  -DCMAKE_BUILD_TYPE=Release
  -DBUILD_SHARED_LIBS=OFF
  -DQT_HOST_PATH=/usr
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DINPUT_opengl=no -DFEATURE_opengl_dynamic=OFF -DFEATURE_dynamicgl=OFF
  -DFEATURE_tabletevent=OFF
  -DFEATURE_dbus=OFF -DFEATURE_sql=OFF -DFEATURE_network=OFF
  -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
  -DFEATURE_vulkan=OFF -DFEATURE_zstd=OFF -DFEATURE_icu=OFF
  -DFEATURE_testlib=ON
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF
  -DFEATURE_system_jpeg=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF
  -DFEATURE_system_doubleconversion=OFF
)

qt_windows_version() {
  dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null
}

qt_windows_prefix() {
  local version key
  version=$(qt_windows_version)
  key=$(printf '%s\n' "${qt_windows_options[@]}" "$(cat "$qt_windows_toolchain")" |
    sha256sum | cut -c1-10)
  # The Debian version without its epoch and packaging suffix.
  local upstream=${version#*:}
  upstream=${upstream%%+*}
  upstream=${upstream%%-*}
  printf '%s/qt-%s-mingw64-static-%s\n' \
    "${VARDEX_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/vardex}" "$upstream" "$key"
}

# The compilers alone; Qt's build must not see the project's own settings.
qt_windows_toolchain="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/cmake/mingw-w64-compilers.cmake"

# A deb-src entry beside Debian's deb entry, so that apt-get source works.
qt_windows_add_deb_src() {
  if apt-get source --print-uris qt6-base >/dev/null 2>&1; then
    return 0
  fi
  local sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  echo "Adding Debian's source archive (deb-src) to apt's sources"
  "${sudo_cmd[@]}" tee /etc/apt/sources.list.d/vardex-deb-src.sources >/dev/null <<'SOURCES'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
  "${sudo_cmd[@]}" apt-get update -qq
}

build_qt_windows() {
  local prefix version
  prefix=$(qt_windows_prefix)
  version=$(qt_windows_version)
  if [ -f "$prefix/.complete" ]; then
    echo "Static Qt for Windows: $prefix (cached)"
    return 0
  fi
  if [ -z "$version" ]; then
    echo "build_qt_windows: qt6-base-dev is not installed; its version picks the source" >&2
    return 1
  fi
  echo "Static Qt for Windows: building Debian's qt6-base $version into $prefix"
  local work="$prefix.work"
  rm -rf "$work" "$prefix"
  mkdir -p "$work"
  qt_windows_add_deb_src
  if ! (cd "$work" && apt-get source -qq "qt6-base=$version" >source.log 2>&1); then
    echo "build_qt_windows: could not fetch Debian's qt6-base $version source" \
      "(apt-get source qt6-base=$version failed; see $work/source.log):" >&2
    tail -n 5 "$work/source.log" >&2
    return 1
  fi
  local source
  source=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
  if [ -z "$source" ]; then
    echo "build_qt_windows: apt-get source gave no qt6-base folder in $work" >&2
    return 1
  fi
  local started=$SECONDS
  cmake -S "$source" -B "$work/build" -G Ninja --toolchain "$qt_windows_toolchain" \
    -DCMAKE_INSTALL_PREFIX="$prefix" "${qt_windows_options[@]}" >"$work/configure.log" 2>&1 || {
    echo "build_qt_windows: configuring Qt failed; see $work/configure.log" >&2
    tail -n 20 "$work/configure.log" >&2
    return 1
  }
  cmake --build "$work/build" -j"$(nproc)" >"$work/build.log" 2>&1 || {
    echo "build_qt_windows: building Qt failed; see $work/build.log" >&2
    tail -n 20 "$work/build.log" >&2
    return 1
  }
  cmake --install "$work/build" >"$work/install.log" 2>&1
  # The source's licences go with the programs that link this Qt.
  mkdir -p "$prefix/licenses/3rdparty"
  cp "$source/LICENSES/"* "$prefix/licenses/" 2>/dev/null || true
  cp "$source/debian/copyright" "$prefix/licenses/debian-copyright" 2>/dev/null || true
  # So do the notices of the libraries Qt bundles (zlib, libpng, libjpeg,
  # pcre2, harfbuzz, freetype, double-conversion, ...): each one's
  # qt_attribution.json and licence files, in the source's folders.
  (cd "$source/src" && find . -name qt_attribution.json -printf '%h\n' | sort |
    while read -r dir; do
      find "$dir" -maxdepth 2 -type f \( -name qt_attribution.json -o -iname 'LICEN[CS]E*' \
        -o -iname 'COPYING*' \) -exec cp --parents {} "$prefix/licenses/3rdparty/" \;
    done)
  touch "$prefix/.complete"
  rm -rf "$work"
  echo "Static Qt for Windows: built in $((SECONDS - started)) s, $(du -sh "$prefix" | cut -f1)"
}

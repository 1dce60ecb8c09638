# build_deb BUILD_DIR DEB_GLOB [CMAKE_ARGS...]: a Release build of the
# programs (no tests, no benchmark) in BUILD_DIR with Debian's hardening
# flags (for DEB_HOST_ARCH when set), packed by CPack into BUILD_DIR/dist;
# prints the path of the one package matching DEB_GLOB there.
build_deb() {
  local build="$1" glob="$2"
  shift 2
  . scripts/lib/source-date.sh
  local dist="$build/dist"
  export DEB_BUILD_MAINT_OPTIONS="hardening=+all"
  local cppflags cxxflags ldflags
  cppflags="$(dpkg-buildflags --get CPPFLAGS)"
  cxxflags="$(dpkg-buildflags --get CXXFLAGS) $cppflags"
  ldflags="$(dpkg-buildflags --get LDFLAGS)"
  # Release without CMake's own optimisation flags: the Debian ones apply.
  cmake -S . -B "$build" -G Ninja "$@" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_FLAGS_RELEASE=-DNDEBUG -DCMAKE_INSTALL_PREFIX=/usr -DVARDEX_BUILD_TESTS=OFF \
    "-DCMAKE_CXX_FLAGS=$cxxflags" "-DCMAKE_EXE_LINKER_FLAGS=$ldflags" >/dev/null
  cmake --build "$build" -j"$(nproc)"
  rm -rf "$dist"
  (cd "$build" && cpack -G DEB -B "$PWD/dist" >/dev/null)
  rm -rf "$dist/_CPack_Packages"
  local debs
  shopt -s nullglob
  debs=("$dist"/$glob)
  if [ ${#debs[@]} -ne 1 ]; then
    echo "expected one $glob in $dist, found ${#debs[@]}" >&2
    return 1
  fi
  realpath "${debs[0]}"
}

# Cross-compiles vardex.exe and its Qt-free tests for 64-bit Windows with
# Debian's MinGW-w64 (posix threads); ctest runs the test programs under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Debian has no Qt for MinGW: vardex.exe and its tests only.
set(VARDEX_BUILD_APP OFF CACHE BOOL "Build the Qt window and its tests")

# Debian keeps wine64 out of PATH.
find_program(VARDEX_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(VARDEX_WINE64 NAMES wine64)
# Test programs run in a Wine prefix of their own inside the build.
set(VARDEX_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
if(VARDEX_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR env WINEPREFIX=${VARDEX_WINEPREFIX} WINEDEBUG=-all
                                    ${VARDEX_WINE64})
endif()

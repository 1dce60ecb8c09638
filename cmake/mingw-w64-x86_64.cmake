# Cross-compiles vardex.exe, the window and their tests for 64-bit Windows
# with Debian's MinGW-w64 (posix threads); ctest runs the test programs
# under Wine.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-compilers.cmake)

# The window needs Qt 6 for Windows built with these compilers: the static
# Qt that scripts/install-cross-deps.sh windows builds (its folder is printed
# by qt_windows_prefix in scripts/lib/qt-windows.sh), or one's own. Without
# it, vardex.exe and its tests only. Qt's tools (moc, rcc) are the host's.
# The environment's value, when it has one, wins over the build's earlier one.
if(DEFINED ENV{VARDEX_QT_WINDOWS} AND NOT "$ENV{VARDEX_QT_WINDOWS}" STREQUAL "")
  set(VARDEX_QT_WINDOWS "$ENV{VARDEX_QT_WINDOWS}" CACHE PATH "Qt 6 for Windows (MinGW-w64)" FORCE)
endif()
set(VARDEX_QT_WINDOWS "" CACHE PATH "Qt 6 for Windows (MinGW-w64)")
if(VARDEX_QT_WINDOWS)
  list(APPEND CMAKE_FIND_ROOT_PATH ${VARDEX_QT_WINDOWS})
  set(QT_HOST_PATH /usr CACHE PATH "Qt's host tools")
  set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "Qt's host CMake files")
  set(VARDEX_BUILD_APP ON CACHE BOOL "Build the Qt window and its tests" FORCE)
else()
  set(VARDEX_BUILD_APP OFF CACHE BOOL "Build the Qt window and its tests" FORCE)
endif()

# Debian keeps wine64 out of PATH.
find_program(VARDEX_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(VARDEX_WINE64 NAMES wine64)
# Test programs run in a Wine prefix of their own inside the build.
set(VARDEX_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
if(VARDEX_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR env WINEPREFIX=${VARDEX_WINEPREFIX} WINEDEBUG=-all
                                    ${VARDEX_WINE64})
endif()

# The one place where the build chooses its platform. Each part with
# platform code (config, link, files, cli, app) says what it asks of its
# system in one header, <part>/<part>_platform.h, and answers it in a folder
# of the platform's name (<part>/linux/, <part>/win32/: <part>_platform.cpp,
# and larger adapters under the same names in both), which it takes through
# ${VARDEX_PLATFORM}; the platform's whole build is
# cmake/${VARDEX_PLATFORM}_build.cmake.
if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
  set(VARDEX_PLATFORM linux)
elseif(CMAKE_SYSTEM_NAME STREQUAL "Windows")
  set(VARDEX_PLATFORM win32)
else()
  message(FATAL_ERROR "VARDEX builds for Linux and Windows, not for ${CMAKE_SYSTEM_NAME}")
endif()

# Windows programs built here run their tests under Wine.
if(VARDEX_PLATFORM STREQUAL "win32" AND CMAKE_CROSSCOMPILING)
  set(VARDEX_TESTS_UNDER_WINE ON)
else()
  set(VARDEX_TESTS_UNDER_WINE OFF)
endif()

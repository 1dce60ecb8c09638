# The Windows build (cmake/mingw-w64-x86_64.cmake): vardex.exe and the
# Qt-free tests of config/, the link core, forms/, files/ and cli/; with Qt for
# Windows also the window, the guide it opens on F1, and the window's tests.
# No simulator (it needs a pseudo-terminal): the end-to-end tests start the
# Windows programs under Wine from the Linux build (tests/cli, tests/e2e).
# One program file each: the C++ runtime, winpthreads and a static Qt linked
# in, no DLL beside it.
add_link_options(-static)
# The same source gives the same program files: no link time in the headers.
add_link_options(-Wl,--no-insert-timestamp)

add_subdirectory(config)
add_subdirectory(link)
add_subdirectory(forms)
add_subdirectory(files)
add_subdirectory(sequences)
add_subdirectory(cli)
if(VARDEX_BUILD_APP)
  enable_language(RC)  # the program file's icon and version
  add_subdirectory(docs)
  add_subdirectory(app)
endif()

if(VARDEX_BUILD_TESTS)
  # There is no GoogleTest for MinGW in Debian: build it from Debian's sources.
  set(VARDEX_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${VARDEX_GOOGLETEST_SOURCE} googletest EXCLUDE_FROM_ALL)
  foreach(library gtest gtest_main)
    target_compile_options(${library} PRIVATE -w -Wno-error)  # not our code
  endforeach()
  add_subdirectory(fuzz)
  add_subdirectory(tests/config)
  add_subdirectory(tests/link)
  add_subdirectory(tests/files)
  add_subdirectory(tests/cli)
  add_subdirectory(tests/fuzz)
  add_subdirectory(tests/win32)
  if(VARDEX_BUILD_APP)
    add_subdirectory(tests/app)
  endif()
endif()

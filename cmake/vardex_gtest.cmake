include(${CMAKE_CURRENT_LIST_DIR}/wine_tests.cmake)

# vardex_gtest(TARGET [LABELS l1;l2] [TIMEOUT s]): registers a GoogleTest
# program with ctest. Natively each test case becomes its own ctest entry; in
# the Windows build the program runs whole under the emulator (Wine), since
# starting Wine once per test case would cost more than the tests.
function(vardex_gtest target)
  cmake_parse_arguments(arg "" "TIMEOUT" "LABELS" ${ARGN})
  if(VARDEX_TESTS_UNDER_WINE)
    add_test(NAME ${target} COMMAND ${target})
    set(timeout 600)
    if(arg_TIMEOUT)
      set(timeout ${arg_TIMEOUT})
    endif()
    # One Wine prefix inside the build for every test program.
    vardex_wine_fixture(${VARDEX_WINEPREFIX})
    set_tests_properties(${target} PROPERTIES LABELS "${arg_LABELS}" TIMEOUT ${timeout}
                         FIXTURES_REQUIRED wine)
  else()
    set(properties LABELS "${arg_LABELS}")
    if(arg_TIMEOUT)
      list(APPEND properties TIMEOUT ${arg_TIMEOUT})
    endif()
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 PROPERTIES ${properties})
  endif()
endfunction()

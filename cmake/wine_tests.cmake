# vardex_wine_fixture(PREFIX): ctest entries that start and stop one Wine
# server for the tests that require the fixture "wine" (FIXTURES_REQUIRED).
function(vardex_wine_fixture prefix)
  get_property(done GLOBAL PROPERTY VARDEX_WINE_FIXTURE)
  if(done)
    return()
  endif()
  set_property(GLOBAL PROPERTY VARDEX_WINE_FIXTURE ON)
  find_program(VARDEX_WINE64 NAMES wine64 PATHS /usr/lib/wine REQUIRED)
  find_program(VARDEX_WINESERVER NAMES wineserver PATHS /usr/lib/wine REQUIRED)
  foreach(step start stop)
    add_test(NAME wine_${step} COMMAND ${CMAKE_SOURCE_DIR}/cmake/wine_session.sh ${step}
                                       ${VARDEX_WINE64} ${VARDEX_WINESERVER})
    set_tests_properties(wine_${step} PROPERTIES LABELS "wine" ENVIRONMENT
                         "WINEPREFIX=${prefix};WINEDEBUG=-all")
  endforeach()
  # A new prefix boots first (and once more when that boot fails): see
  # wine_session.sh.
  set_tests_properties(wine_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 900)
  set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP wine)
endfunction()

# The Linux build: the libraries, both programs, the simulator, the guide,
# the tests and the benchmarks, and the install rules and packages.
find_package(GTest REQUIRED)

add_subdirectory(config)
add_subdirectory(link)
add_subdirectory(forms)
add_subdirectory(sim)
add_subdirectory(docs)
if(VARDEX_BUILD_APP)
  add_subdirectory(files)
  add_subdirectory(sequences)
  add_subdirectory(app)
  add_subdirectory(cli)
endif()
if(VARDEX_BUILD_TESTS)
  add_subdirectory(fuzz)
  add_subdirectory(tests)
  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/bench/CMakeLists.txt)
    add_subdirectory(bench)
  endif()
endif()

# After every program's folder, so that the install rules see all of them.
add_subdirectory(packaging)
include(${PROJECT_SOURCE_DIR}/packaging/cpack.cmake)

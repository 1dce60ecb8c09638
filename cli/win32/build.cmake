# Windows: the system's COM ports through Win32, without Qt; the program sets
# the console's modes first (program_setup.h).
target_sources(vardex_cli PRIVATE ${CMAKE_CURRENT_LIST_DIR}/port_access_win32.cpp
                                  ${CMAKE_CURRENT_LIST_DIR}/program_setup_win32.cpp)
target_include_directories(vardex_cli PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(vardex_cli PUBLIC vardex_link_win32)

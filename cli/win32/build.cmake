# Windows: the system's COM ports through Win32, without Qt; the program sets
# the console's modes first (ProgramSetup).
target_sources(vardex_cli PRIVATE ${CMAKE_CURRENT_LIST_DIR}/cli_platform.cpp)
target_link_libraries(vardex_cli PUBLIC vardex_link_win32)

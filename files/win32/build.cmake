# Windows: a temporary file moved over the old one with Win32, its failures in
# the system's words as the Win32 port gives them; the registry names the
# system.
target_sources(vardex_files PRIVATE ${CMAKE_CURRENT_LIST_DIR}/files_platform.cpp)
target_link_libraries(vardex_files PRIVATE vardex_link_win32 advapi32)

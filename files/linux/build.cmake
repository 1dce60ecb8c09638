# Linux: Qt's QSaveFile replaces a file whole; QSysInfo names the system.
find_package(Qt6 REQUIRED COMPONENTS Core)
target_sources(vardex_files PRIVATE ${CMAKE_CURRENT_LIST_DIR}/files_platform.cpp)
target_link_libraries(vardex_files PRIVATE Qt6::Core)

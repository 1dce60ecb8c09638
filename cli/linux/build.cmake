# Linux: the COM names and ports as the window sees them, through Qt; the
# program runs in a Qt application (ProgramSetup).
find_package(Qt6 REQUIRED COMPONENTS Core SerialPort)
target_sources(vardex_cli PRIVATE ${CMAKE_CURRENT_LIST_DIR}/cli_platform.cpp)
target_link_libraries(vardex_cli PUBLIC vardex_link_qt Qt6::Core)

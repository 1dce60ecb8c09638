# Linux: the COM names and ports as the window sees them, through Qt; the
# program runs in a Qt application (program_setup.h).
find_package(Qt6 REQUIRED COMPONENTS Core SerialPort)
target_sources(vardex_cli PRIVATE ${CMAKE_CURRENT_LIST_DIR}/port_access.cpp)
target_include_directories(vardex_cli PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(vardex_cli PUBLIC vardex_link_qt Qt6::Core)

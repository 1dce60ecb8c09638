# Linux: the COM names are links in a folder of ours, adapters have by-id
# names, and the port is QSerialPort. vardex and the window share the port
# and the list of ports, both Qt's, so they come with the window's Qt.
set(here ${CMAKE_CURRENT_LIST_DIR})
target_sources(vardex_link PRIVATE ${here}/com_link_maker.cpp ${here}/link_platform.cpp)

if(VARDEX_BUILD_APP)
  find_package(Qt6 REQUIRED COMPONENTS Core SerialPort)
  add_library(vardex_link_qt STATIC
    ${here}/port_list.cpp
    ${here}/serial_port_adapter.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/qt/com_port_list.cpp)
  target_include_directories(vardex_link_qt PUBLIC ${here} ${CMAKE_CURRENT_SOURCE_DIR}/qt)
  target_link_libraries(vardex_link_qt PUBLIC vardex_link Qt6::Core Qt6::SerialPort)
endif()

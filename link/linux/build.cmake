# Linux: the COM names are links in a folder of ours, adapters have by-id
# names, and the port is QSerialPort. vardex and the window share the port
# and the list of ports, both Qt's, so they come with the window's Qt.
set(here ${CMAKE_CURRENT_LIST_DIR})
target_sources(vardex_link PRIVATE
  ${here}/com_link_maker.cpp
  ${here}/look_up_link.cpp
  ${here}/open_for_reading.cpp
  ${here}/probe_file_system.cpp
  ${here}/serial_by_id.cpp)

if(VARDEX_BUILD_APP)
  find_package(Qt6 REQUIRED COMPONENTS Core SerialPort)
  add_library(vardex_link_qt STATIC
    ${here}/com_port_list.cpp
    ${here}/qt_serial_port.cpp
    ${here}/system_serial_port_qt.cpp)
  target_include_directories(vardex_link_qt PUBLIC ${here} ${CMAKE_CURRENT_SOURCE_DIR}/qt)
  target_link_libraries(vardex_link_qt PUBLIC vardex_link Qt6::Core Qt6::SerialPort)
endif()

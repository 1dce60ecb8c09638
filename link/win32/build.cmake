# Windows: COMn is the system's own COMn, and the port is a Win32 COM device
# (Qt for Windows is built without its serial port module). vardex uses
# vardex_link_win32 alone, without Qt; the window adds the list of ports in
# Qt's terms.
set(here ${CMAKE_CURRENT_LIST_DIR})
target_sources(vardex_link PRIVATE ${here}/link_platform.cpp)

add_library(vardex_link_win32 STATIC
  ${here}/com_device_names.cpp
  ${here}/port_list.cpp
  ${here}/serial_port_adapter.cpp)
target_include_directories(vardex_link_win32 PUBLIC ${here})
target_compile_definitions(vardex_link_win32 PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX)
target_link_libraries(vardex_link_win32 PUBLIC vardex_link setupapi)

if(VARDEX_BUILD_APP)
  find_package(Qt6 REQUIRED COMPONENTS Core)
  add_library(vardex_link_qt STATIC ${CMAKE_CURRENT_SOURCE_DIR}/qt/com_port_list.cpp)
  target_include_directories(vardex_link_qt PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/qt)
  target_link_libraries(vardex_link_qt PUBLIC vardex_link_win32 Qt6::Core)
endif()

# Windows: Qt has no SVG module there, so the icon is taken from PNGs drawn
# from the SVG at build time, and its ICO goes into the program file.
include(${PROJECT_SOURCE_DIR}/packaging/windows/icons.cmake)
target_sources(vardex_app PRIVATE ${CMAKE_CURRENT_LIST_DIR}/app_platform.cpp)
# Resource format 1 stores no file times, so the program file does not depend
# on when the PNGs were drawn or on the build's SOURCE_DATE_EPOCH.
qt_add_resources(vardex_app vardex_icon PREFIX /vardex BASE ${CMAKE_BINARY_DIR}
                 FILES ${VARDEX_ICON_PNGS} OPTIONS --format-version 1)

# A window program (no console), with its icon and version in the file; the
# image-format plugins are left out (the icon is PNG, which Qt reads itself).
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/vardex-configurator.rc.in
               ${CMAKE_CURRENT_BINARY_DIR}/vardex-configurator.rc @ONLY)
target_sources(vardex-configurator PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/vardex-configurator.rc)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/vardex-configurator.rc PROPERTIES
                            OBJECT_DEPENDS ${VARDEX_ICON_ICO})
set_target_properties(vardex-configurator PROPERTIES WIN32_EXECUTABLE ON)
qt_import_plugins(vardex-configurator EXCLUDE_BY_TYPE imageformats)

# The Wine end-to-end test finds the controls where this tool, on the same
# Wine and fonts, finds them.
add_executable(vardex-window-layout tools/window_layout.cpp)
target_link_libraries(vardex-window-layout PRIVATE vardex_app)
qt_import_plugins(vardex-window-layout EXCLUDE_BY_TYPE imageformats)

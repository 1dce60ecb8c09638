# Linux: the program icon is the installed SVG, built in and drawn with Qt SVG.
find_package(Qt6 REQUIRED COMPONENTS Svg DBus)
target_sources(vardex_app PRIVATE ${CMAKE_CURRENT_LIST_DIR}/app_platform.cpp)
target_link_libraries(vardex_app PRIVATE Qt6::Svg)
# Resource format 1 stores no file times: the program does not depend on the
# checkout's times or on the build's SOURCE_DATE_EPOCH.
qt_add_resources(vardex_app vardex_icon PREFIX /vardex BASE ${PROJECT_SOURCE_DIR}/packaging
                 FILES ${PROJECT_SOURCE_DIR}/packaging/io.github.vardex.Configurator.svg
                 OPTIONS --format-version 1)

# The status line's announcements go to screen readers over the AT-SPI D-Bus
# connection that Qt's accessibility bridge opens.
target_link_libraries(vardex_app PRIVATE Qt6::DBus)

# The screenshot tools run here.
add_executable(vardex-screenshots tools/screenshots.cpp)
target_link_libraries(vardex-screenshots PRIVATE vardex_app)

# The user guide's pictures (scripts/screenshots.sh runs it under Xvfb).
add_executable(vardex-guide-screenshots tools/guide_screenshots.cpp)
target_link_libraries(vardex-guide-screenshots PRIVATE vardex_app)

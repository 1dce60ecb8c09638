# The program's icon for Windows, drawn from the installed SVG at build time
# (Qt for Windows is built without its SVG module): one PNG per size for the
# window, and an ICO of them for the program file, the setup and the Start
# menu. Sets VARDEX_ICON_PNGS and VARDEX_ICON_ICO.
find_program(VARDEX_RSVG_CONVERT rsvg-convert REQUIRED)  # librsvg2-bin
find_program(VARDEX_ICOTOOL icotool REQUIRED)            # icoutils
set(VARDEX_ICON_SVG ${PROJECT_SOURCE_DIR}/packaging/io.github.vardex.Configurator.svg)
set(VARDEX_ICON_DIR ${CMAKE_BINARY_DIR}/icons)
set(VARDEX_ICON_PNGS "")
foreach(size 16 22 24 32 48 64 128 256)
  set(png ${VARDEX_ICON_DIR}/${size}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VARDEX_ICON_DIR}
    COMMAND ${VARDEX_RSVG_CONVERT} --width=${size} --height=${size} --output=${png}
            ${VARDEX_ICON_SVG}
    DEPENDS ${VARDEX_ICON_SVG} VERBATIM)
  list(APPEND VARDEX_ICON_PNGS ${png})
endforeach()
# Windows shows 16 to 48 in lists and 256 in large views; 256 stays PNG.
set(VARDEX_ICON_ICO ${VARDEX_ICON_DIR}/vardex-configurator.ico)
add_custom_command(OUTPUT ${VARDEX_ICON_ICO}
  COMMAND ${VARDEX_ICOTOOL} --create --output=${VARDEX_ICON_ICO} ${VARDEX_ICON_DIR}/16.png
          ${VARDEX_ICON_DIR}/24.png ${VARDEX_ICON_DIR}/32.png ${VARDEX_ICON_DIR}/48.png
          ${VARDEX_ICON_DIR}/64.png ${VARDEX_ICON_DIR}/128.png --raw=${VARDEX_ICON_DIR}/256.png
  DEPENDS ${VARDEX_ICON_PNGS} VERBATIM)

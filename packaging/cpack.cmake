# Debian package of the install tree (scripts/package.sh runs it). Its version
# is the project's version; dependencies are worked out from the programs'
# shared libraries.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "${VARDEX_PACKAGE_NAME}")
set(CPACK_PACKAGE_VENDOR "VARDEX Configurator developers")
set(CPACK_PACKAGE_CONTACT "${VARDEX_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configure a VARDEX APRS device over a serial port")
set(CPACK_RESOURCE_FILE_LICENSE "${CMAKE_SOURCE_DIR}/LICENSE")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "hamradio")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VARDEX_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${VARDEX_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# F1 and Help > User guide hand the installed guide.html to xdg-open, which
# passes it to the desktop's web browser.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
if(CMAKE_CROSSCOMPILING)
  # dpkg would name the build machine's architecture; the package is for the
  # target's. (dpkg-shlibdeps then needs DEB_HOST_ARCH set likewise when
  # cpack runs, as scripts/package-arm64.sh does.)
  execute_process(COMMAND dpkg-architecture -f -t ${CMAKE_LIBRARY_ARCHITECTURE} -q DEB_HOST_ARCH
                  OUTPUT_VARIABLE CPACK_DEBIAN_PACKAGE_ARCHITECTURE OUTPUT_STRIP_TRAILING_WHITESPACE
                  ERROR_QUIET COMMAND_ERROR_IS_FATAL ANY)
endif()
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The summary becomes the synopsis line; this is the text under it.
set(CPACK_PACKAGE_DESCRIPTION
    "The VARDEX is an APRS digipeater, APRS-IS gateway, weather reporter and
telemetry module in one device. vardex-configurator opens the device's serial
port, reads its configuration onto ten pages, checks every setting, writes the
configuration back page by page and uploads new firmware files.

The package also holds the command-line tool vardex and vardex-sim, a simulated
device on a pseudo-terminal for trying the configurator without the hardware.")

include(CPack)

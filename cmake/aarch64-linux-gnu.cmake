# Cross-builds for 64-bit ARM Linux (Debian arm64, Raspberry Pi OS 64-bit)
# with Debian's aarch64 cross compiler. The target's libraries are the
# arm64 packages installed beside the native ones (Debian multiarch, see
# scripts/install-cross-deps.sh), so the root is the build machine's own and
# only the library folder differs. Qt's code generators (moc, uic, rcc) are
# the native ones. Test programs run under qemu's user-mode emulator.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)

set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)

# Libraries, headers and CMake packages only from the target's folders
# (lib/aarch64-linux-gnu under /usr); programs from the build machine.
set(CMAKE_FIND_ROOT_PATH /)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_IGNORE_PATH /usr/lib/x86_64-linux-gnu /usr/lib/x86_64-linux-gnu/cmake)

set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)

# The loader /lib/ld-linux-aarch64.so.1 and the libraries come from the
# arm64 packages, so qemu looks them up from the real root.
find_program(VARDEX_QEMU_AARCH64 qemu-aarch64-static REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${VARDEX_QEMU_AARCH64} -L /)

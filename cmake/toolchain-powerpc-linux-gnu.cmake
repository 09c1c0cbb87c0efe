# Cross build for 32-bit PowerPC Linux (G3/G4 Macintoshes) with Debian's
# cross compilers (packages gcc-powerpc-linux-gnu and g++-powerpc-linux-gnu):
#
#   cmake -S . -B build-ppc -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-powerpc-linux-gnu.cmake
#   cmake --build build-ppc
#
# It builds the three programs and macsim, statically linked, so they run on
# any PowerPC Linux with nothing installed beside them: Tarnwick X without
# SDL2 or libpng, on the Linux console or headless. The resource compiler
# runs on the build machine: -DKORV_HOST_RESCOMP=<native build>/bin/rescomp
# names one, else the build makes one natively on the side (host-tools/).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR powerpc)

set(CMAKE_C_COMPILER powerpc-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER powerpc-linux-gnu-g++)

set(CMAKE_FIND_ROOT_PATH /usr/powerpc-linux-gnu)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every program links statically: the target has none of our libraries, and
# a boot-time program should not wait for the dynamic loader.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Cross-compiles the Windows programs (64-bit) on Debian with mingw-w64:
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
# tools/build-windows does that and packs the zip. The posix thread model of
# the compilers provides std::thread. Where Wine is installed, the test
# programs run under it (CTest and the tests' discovery alike).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(FEM_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${FEM_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${FEM_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${FEM_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${FEM_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Debian's wine64 package installs its loader outside PATH.
find_program(FEM_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(FEM_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${FEM_WINE})
endif()

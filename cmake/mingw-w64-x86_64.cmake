# Cross-builds the layers below the window for 64-bit Windows with mingw-w64 (Debian's
# g++-mingw-w64-x86-64), and runs what it builds under wine64.
#   cmake -S . -B build-win -G Ninja --toolchain cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# The posix thread model gives the standard library its threads and mutexes.
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Static runtime, so the executables run under wine with no mingw DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Debian's wine64 package installs its loader outside PATH.
find_program(PEMRIX_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(PEMRIX_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${PEMRIX_WINE64})
endif()

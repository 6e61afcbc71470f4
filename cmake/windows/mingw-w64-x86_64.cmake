# Cross compiling for 64-bit Windows with Debian's MinGW-w64 (the POSIX thread model, which
# std::thread needs). scripts/windows-toolchain puts a copy into the tool chain's prefix and
# builds SQLite, GoogleTest and Qt with it there; the program is then built through that Qt's
# qt-cmake, which loads the copy again. Libraries are looked for in the prefix beside it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# Libraries, headers and packages come from the MinGW sysroot and the tool chain's prefix only;
# programs run during the build are the host's.
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 "${CMAKE_CURRENT_LIST_DIR}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

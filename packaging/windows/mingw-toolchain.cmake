# Cross-compiling for 64-bit Windows with MinGW-w64 from Debian (the POSIX-threads flavour of
# the compilers: Qt needs std::thread and std::mutex, which the win32-threads flavour lacks).
#
# Used twice: by build-qt to build Qt base for Windows, and to build callcfg itself:
#   cmake -G Ninja -DCMAKE_TOOLCHAIN_FILE=packaging/windows/mingw-toolchain.cmake \
#         -DCMAKE_PREFIX_PATH=/var/cache/callcfg/qt-6.4.2-mingw -DQT_HOST_PATH=/usr \
#         -DCALLCFG_TESTS=OFF ...
# Qt's code generators (moc, rcc, uic) come from the Linux Qt of the same version under
# QT_HOST_PATH.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CALLCFG_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${CALLCFG_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CALLCFG_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${CALLCFG_MINGW_TRIPLET}-windres)

# Libraries, headers and CMake packages come only from the MinGW sysroot and from the
# prefixes given on the command line (the Windows Qt), never from the Linux system: a Linux
# library that happens to share a name must not end up in a Windows program. Programs (the
# host tools) are looked up on the build machine.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${CALLCFG_MINGW_TRIPLET} ${CMAKE_PREFIX_PATH})
list(REMOVE_DUPLICATES CMAKE_FIND_ROOT_PATH)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The GCC runtime stays in its own DLLs (libstdc++-6, libgcc_s_seh-1, libwinpthread-1), shared
# by Qt and the program: one copy of the C++ runtime in the process. To run a program, put
# them beside it or on WINEPATH (see test-port).

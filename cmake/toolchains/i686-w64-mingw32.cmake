# Cross-building for 32-bit Windows with Debian's MinGW-w64 toolchain (the -posix thread model,
# which the C++ runtime's threads and mutexes need). Libraries are looked up in the target's
# root only, so nothing of the build machine leaks into the DLL.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(PATHLOOM_MINGW_PREFIX i686-w64-mingw32)
set(CMAKE_C_COMPILER ${PATHLOOM_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PATHLOOM_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${PATHLOOM_MINGW_PREFIX}-windres)
set(CMAKE_DLLTOOL ${PATHLOOM_MINGW_PREFIX}-dlltool)

set(CMAKE_FIND_ROOT_PATH /usr/${PATHLOOM_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

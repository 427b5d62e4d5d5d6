# The part the MinGW-w64 toolchain files share; the including file sets
# DORVANE_MINGW_TRIPLE and CMAKE_SYSTEM_PROCESSOR first.
#
# The -posix compilers are used: Debian's GoogleTest sources build for MinGW only with
# their thread model. The C and C++ runtimes and winpthread are linked statically, so
# that the DLLs and test programs need nothing but the system's DLLs and each other.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${DORVANE_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${DORVANE_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${DORVANE_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${DORVANE_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")

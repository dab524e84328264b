# Cross build for Windows with the posix-threads mingw-w64 compilers; included
# by the target's toolchain file after it set VANTREL_ARCH and VANTREL_HOST.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${VANTREL_HOST}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VANTREL_HOST}-g++-posix)
set(CMAKE_RC_COMPILER ${VANTREL_HOST}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VANTREL_HOST})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Tests and generator programs run under the target's Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-exec ${VANTREL_ARCH})

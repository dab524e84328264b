# 64-bit Windows, run under 64-bit Wine on machines that run no 32-bit code.
set(VANTREL_ARCH x86_64)
set(VANTREL_HOST x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

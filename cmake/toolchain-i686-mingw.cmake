# The shipped form: 32-bit Windows, run under 32-bit Wine.
set(VANTREL_ARCH i686)
set(VANTREL_HOST i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

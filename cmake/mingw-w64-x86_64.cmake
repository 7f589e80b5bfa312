# The programs for 64-bit Windows.
set(GLINTBOX_MINGW_PROCESSOR x86_64)
set(GLINTBOX_MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)

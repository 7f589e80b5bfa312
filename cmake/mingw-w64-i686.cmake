# The programs for 32-bit Windows.
set(GLINTBOX_MINGW_PROCESSOR i686)
set(GLINTBOX_MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)

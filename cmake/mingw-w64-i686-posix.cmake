# The Windows-side tests for 32-bit Windows.
set(GLINTBOX_MINGW_PROCESSOR i686)
set(GLINTBOX_MINGW_THREADS posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)

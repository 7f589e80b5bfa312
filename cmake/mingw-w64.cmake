# Cross-compiling with mingw-w64, included by the toolchain files beside it, which name the
# target (GLINTBOX_MINGW_PROCESSOR) and the thread model (GLINTBOX_MINGW_THREADS): win32 for the
# programs, which have one thread (the posix model's runtime imports GetTickCount64 and the
# vectored exception handlers, which Windows 2000 lacks), posix for the Windows-side tests
# (GoogleTest needs std::mutex, which GCC 12's win32 model lacks).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${GLINTBOX_MINGW_PROCESSOR})
set(triple ${GLINTBOX_MINGW_PROCESSOR}-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-${GLINTBOX_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${triple}-g++-${GLINTBOX_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR wine)

# Windows (mingw-w64): Glintbox.exe, fully static, and the tests that run under Wine.
add_link_options(-static -static-libgcc -static-libstdc++)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501 WINVER=0x0501)

file(GLOB GLINTBOX_WIN32_SOURCES CONFIGURE_DEPENDS src/platform/win32/*.cpp)
add_library(glintbox_win32 STATIC ${GLINTBOX_WIN32_SOURCES})
target_link_libraries(glintbox_win32 PUBLIC glintbox_core comctl32 ole32 shell32 gdi32 user32 comdlg32 winmm)

# The resources: the program's icon (also the tray icon), drawn by scripts/make_icon.py, the
# manifest and the version.
enable_language(RC)
set(GLINTBOX_ICON ${CMAKE_BINARY_DIR}/glintbox.ico)
add_custom_command(OUTPUT ${GLINTBOX_ICON}
  COMMAND python3 ${CMAKE_SOURCE_DIR}/scripts/make_icon.py ${GLINTBOX_ICON}
  DEPENDS ${CMAKE_SOURCE_DIR}/scripts/make_icon.py VERBATIM)
set(GLINTBOX_MANIFEST ${CMAKE_SOURCE_DIR}/src/platform/win32/entry/glintbox.manifest)
configure_file(src/platform/win32/entry/resources.rc.in ${CMAKE_BINARY_DIR}/resources.rc @ONLY)
set_source_files_properties(${CMAKE_BINARY_DIR}/resources.rc PROPERTIES
  OBJECT_DEPENDS "${GLINTBOX_ICON};${GLINTBOX_MANIFEST}")
add_library(glintbox_resources OBJECT ${CMAKE_BINARY_DIR}/resources.rc)

add_executable(Glintbox WIN32 src/platform/win32/entry/winmain.cpp
  $<TARGET_OBJECTS:glintbox_resources>)
target_link_libraries(Glintbox PRIVATE glintbox_win32)
# The test build: the same program, with drive counters read from a file (Wine's never move).
add_executable(GlintboxFileCounters WIN32 src/platform/win32/entry/winmain.cpp
  $<TARGET_OBJECTS:glintbox_resources>)
target_compile_definitions(GlintboxFileCounters PRIVATE GLINTBOX_FILE_COUNTERS)
target_link_libraries(GlintboxFileCounters PRIVATE glintbox_win32)
if(CMAKE_BUILD_TYPE STREQUAL "MinSizeRel")
  target_link_options(Glintbox PRIVATE -s)
  target_link_options(GlintboxFileCounters PRIVATE -s)
endif()

include(cmake/release.cmake)

# Stands in for the uninstaller in the end-to-end tests: records how it was started.
add_executable(record_command_line WIN32 tests/e2e/stub/record_command_line.c)

# The cost of the drive query and of rendering on the real Win32 API; run by hand, not by ctest.
add_executable(win_query_bench bench/win/win_query_bench.cpp)
target_link_libraries(win_query_bench PRIVATE glintbox_win32)
# One render and rebuild of the LED window on the real GDI: the cost of a size thumb movement.
add_executable(win_render_bench bench/win/win_render_bench.cpp)
target_link_libraries(win_render_bench PRIVATE glintbox_win32)

# A plain window that records the left clicks it gets: the end-to-end tests put it beneath the
# LED window to see where a click went.
add_executable(click_recorder WIN32 tests/e2e/stub/click_recorder.c)
# Another program holding a file open with no sharing: the end-to-end tests lock the settings
# file with it.
add_executable(hold_file WIN32 tests/e2e/stub/hold_file.c)

if(GLINTBOX_WIN_TESTS)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  enable_testing()
  file(GLOB GLINTBOX_WIN_TEST_SOURCES CONFIGURE_DEPENDS tests/win/*.cpp)
  add_executable(glintbox_win_tests ${GLINTBOX_WIN_TEST_SOURCES}
    $<TARGET_OBJECTS:glintbox_resources>)
  target_include_directories(glintbox_win_tests PRIVATE tests)
  target_link_libraries(glintbox_win_tests PRIVATE glintbox_win32 gtest)
  # Each test binary is run through wine (the toolchain's emulator); one ctest entry keeps the
  # Wine start-up cost to one.
  add_test(NAME win_tests COMMAND glintbox_win_tests)
  set_tests_properties(win_tests PROPERTIES TIMEOUT 300)
endif()

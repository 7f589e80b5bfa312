# Windows: the tests that run under Wine (with GoogleTest's posix thread model, in a build of their
# own), or beside the programs the stand-ins that the end-to-end tests use.
if(GLINTBOX_WIN_TESTS)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  find_path(GLINTBOX_GTEST_SOURCE CMakeLists.txt PATHS /usr/src/googletest NO_DEFAULT_PATH
    NO_CMAKE_FIND_ROOT_PATH DOC "GoogleTest's sources (Debian's googletest package)")
  if(NOT GLINTBOX_GTEST_SOURCE)
    message(FATAL_ERROR "GoogleTest's sources were not found: run scripts/setup, or set "
      "GLINTBOX_GTEST_SOURCE")
  endif()
  add_subdirectory(${GLINTBOX_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  enable_testing()
  add_executable(glintbox_win_tests
    win/main.cpp win/win_test_support.cpp
    win/caption_fit_test.cpp win/disk_test.cpp win/file_counters_test.cpp win/monitor_test.cpp win/program_logic_test.cpp
    win/save_kill_test.cpp win/soak_test.cpp win/system_files_test.cpp
    win/system_process_test.cpp win/toolkit_caption_test.cpp win/toolkit_controls_test.cpp
    win/toolkit_drawing_test.cpp win/toolkit_events_test.cpp win/toolkit_move_test.cpp
    win/toolkit_window_test.cpp
    $<TARGET_OBJECTS:glintbox_resources>)
  target_include_directories(glintbox_win_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(glintbox_win_tests PRIVATE glintbox_app glintbox_win32 gtest)
  # Run through wine (the toolchain's emulator); one ctest entry keeps the Wine start-up cost
  # to one.
  add_test(NAME win_tests COMMAND glintbox_win_tests)
  set_tests_properties(win_tests PROPERTIES TIMEOUT 300)
  return()
endif()

# Stands in for the uninstaller and the explorer in the end-to-end tests: records how it was
# started.
add_executable(record_command_line WIN32 e2e/stub/record_command_line.c)
# A plain window that records the left clicks it gets: the end-to-end tests put it beneath the
# LED window to see where a click went.
add_executable(click_recorder WIN32 e2e/stub/click_recorder.c)
# Another program holding a file open with no sharing: the end-to-end tests lock the settings
# file with it.
add_executable(hold_file WIN32 e2e/stub/hold_file.c)
# A winmm.dll that someone left beside the program, in a folder of its own so that it lies
# beside none of the programs built here.
add_library(planted_winmm SHARED e2e/stub/planted_dll.c)
set_target_properties(planted_winmm PROPERTIES OUTPUT_NAME winmm PREFIX ""
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/planted)
# The Windows programs: Glintbox.exe, its test build and what ships with them.
# The resources: the program's icon (also the tray icon), drawn by scripts/make_icon.py, the
# manifest and the version, shared by the program, its test build and the Windows-side tests.
enable_language(RC)
set(GLINTBOX_ICON ${CMAKE_BINARY_DIR}/glintbox.ico)
add_custom_command(OUTPUT ${GLINTBOX_ICON}
  COMMAND python3 ${CMAKE_SOURCE_DIR}/scripts/make_icon.py ${GLINTBOX_ICON}
  DEPENDS ${CMAKE_SOURCE_DIR}/scripts/make_icon.py VERBATIM)
set(GLINTBOX_MANIFEST ${CMAKE_BINARY_DIR}/glintbox.manifest)
configure_file(src/platform/win32/entry/glintbox.manifest.in ${GLINTBOX_MANIFEST} @ONLY)
configure_file(src/platform/win32/entry/resources.rc.in ${CMAKE_BINARY_DIR}/resources.rc @ONLY)
set_source_files_properties(${CMAKE_BINARY_DIR}/resources.rc PROPERTIES
  OBJECT_DEPENDS "${GLINTBOX_ICON};${GLINTBOX_MANIFEST}")
add_library(glintbox_resources OBJECT ${CMAKE_BINARY_DIR}/resources.rc)

if(GLINTBOX_WIN_TESTS)
  return()  # tests/ builds the Windows-side tests with this compiler, and nothing else
endif()

add_executable(Glintbox WIN32 src/platform/win32/entry/winmain.cpp
  $<TARGET_OBJECTS:glintbox_resources>)
target_link_libraries(Glintbox PRIVATE glintbox_app glintbox_win32)
# The test build: the same program, with drive counters read from a file (Wine's never move).
add_executable(GlintboxFileCounters WIN32 src/platform/win32/entry/winmain.cpp
  $<TARGET_OBJECTS:glintbox_resources>)
target_compile_definitions(GlintboxFileCounters PRIVATE GLINTBOX_FILE_COUNTERS)
target_link_libraries(GlintboxFileCounters PRIVATE glintbox_app glintbox_win32)
if(CMAKE_BUILD_TYPE STREQUAL "MinSizeRel")
  target_link_options(Glintbox PRIVATE -s)
  target_link_options(GlintboxFileCounters PRIVATE -s)
endif()

include(cmake/release.cmake)

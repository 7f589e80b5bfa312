# libFuzzer targets over the settings floor (clang only): fuzz_settings feeds the INI reader and
# LoadSettings, fuzz_settings_roundtrip checks that a loaded record saves and loads back unchanged.
# The floor's sources are compiled once more, at -O2 and with the fuzzer's coverage
# instrumentation: linked from the Debug library they gave the fuzzer no feedback from the code
# it tests and ran several times slower. Those objects come before the libraries, so the
# library's members are never linked in; ASan and UBSan stay on through the global flags.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  return()
endif()
get_target_property(GLINTBOX_FUZZ_SOURCES glintbox_settings SOURCES)
get_target_property(GLINTBOX_SETTINGS_DIR glintbox_settings SOURCE_DIR)
list(TRANSFORM GLINTBOX_FUZZ_SOURCES PREPEND ${GLINTBOX_SETTINGS_DIR}/)
add_library(glintbox_fuzz_settings_objects OBJECT ${GLINTBOX_FUZZ_SOURCES})
target_link_libraries(glintbox_fuzz_settings_objects PRIVATE glintbox_platform)
target_compile_options(glintbox_fuzz_settings_objects PRIVATE -O2 -fsanitize=fuzzer)
foreach(fuzz_target fuzz_settings fuzz_settings_roundtrip)
  add_executable(${fuzz_target} ${CMAKE_CURRENT_LIST_DIR}/${fuzz_target}.cpp
    $<TARGET_OBJECTS:glintbox_fuzz_settings_objects>)
  target_compile_options(${fuzz_target} PRIVATE -O2 -fsanitize=fuzzer)
  target_link_options(${fuzz_target} PRIVATE -fsanitize=fuzzer)
  target_include_directories(${fuzz_target} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${fuzz_target} PRIVATE glintbox_settings glintbox_fake)
endforeach()

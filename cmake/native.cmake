# Linux: the logic against the in-memory platform, with sanitizers; the INI fuzzer; benchmarks.
if(GLINTBOX_SANITIZE)
  set(GLINTBOX_SAN_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${GLINTBOX_SAN_FLAGS})
  add_link_options(${GLINTBOX_SAN_FLAGS})
endif()

file(GLOB GLINTBOX_FAKE_SOURCES CONFIGURE_DEPENDS src/platform/fake/*.cpp)
add_library(glintbox_fake STATIC ${GLINTBOX_FAKE_SOURCES})
target_link_libraries(glintbox_fake PUBLIC glintbox_core)

find_package(GTest REQUIRED)
enable_testing()
include(GoogleTest)
file(GLOB GLINTBOX_NATIVE_TESTS CONFIGURE_DEPENDS
  tests/core/*.cpp tests/app/*.cpp tests/monitor/*.cpp tests/ledwindow/*.cpp tests/placement/*.cpp
  tests/settings/*.cpp tests/config/*.cpp tests/platform/*.cpp)
add_executable(glintbox_tests ${GLINTBOX_NATIVE_TESTS})
target_include_directories(glintbox_tests PRIVATE tests)
target_link_libraries(glintbox_tests PRIVATE glintbox_fake GTest::gtest GTest::gtest_main)
gtest_discover_tests(glintbox_tests DISCOVERY_TIMEOUT 60)
# Includes only go down the floors of src/; <windows.h> stays in platform/win32/.
add_test(NAME include_layers
         COMMAND python3 ${CMAKE_SOURCE_DIR}/scripts/check_layers.py ${CMAKE_SOURCE_DIR}/src)

# libFuzzer targets over src/settings/ (clang only): fuzz_settings feeds the INI reader and
# LoadSettings, fuzz_settings_roundtrip checks that a loaded record saves and loads back unchanged.
# The settings sources are compiled once more, at -O2 and with the fuzzer's coverage
# instrumentation: linked from glintbox_core (Debug, uninstrumented) they gave the fuzzer no
# feedback from the code it tests and ran several times slower. Those objects come before the
# libraries, so glintbox_core's settings members are never linked in; ASan and UBSan stay on
# through the flags above.
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  set(GLINTBOX_FUZZ_SOURCES ${GLINTBOX_CORE_SOURCES})
  list(FILTER GLINTBOX_FUZZ_SOURCES INCLUDE REGEX "/src/settings/[^/]+\\.cpp$")
  if(NOT GLINTBOX_FUZZ_SOURCES)
    message(FATAL_ERROR "fuzz targets: no sources under src/settings/")
  endif()
  add_library(glintbox_fuzz_settings_objects OBJECT ${GLINTBOX_FUZZ_SOURCES})
  target_include_directories(glintbox_fuzz_settings_objects PRIVATE src)
  target_compile_options(glintbox_fuzz_settings_objects PRIVATE -O2 -fsanitize=fuzzer)
  foreach(fuzz_target fuzz_settings fuzz_settings_roundtrip)
    add_executable(${fuzz_target} tests/fuzz/${fuzz_target}.cpp
      $<TARGET_OBJECTS:glintbox_fuzz_settings_objects>)
    target_compile_options(${fuzz_target} PRIVATE -O2 -fsanitize=fuzzer)
    target_link_options(${fuzz_target} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(${fuzz_target} PRIVATE glintbox_fake)
  endforeach()
endif()

find_package(benchmark QUIET)
# bench/win/ holds the benchmarks of the real Win32 calls, built by the Windows presets.
file(GLOB GLINTBOX_BENCH_SOURCES CONFIGURE_DEPENDS bench/*.cpp)
if(benchmark_FOUND AND GLINTBOX_BENCH_SOURCES)
  add_executable(glintbox_bench ${GLINTBOX_BENCH_SOURCES})
  target_link_libraries(glintbox_bench PRIVATE glintbox_fake benchmark::benchmark)
endif()

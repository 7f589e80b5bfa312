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

# libFuzzer target for the INI reader and LoadSettings (clang only). The settings sources are
# compiled into it once more, at -O2 and with the fuzzer's coverage instrumentation: linked from
# glintbox_core (Debug, uninstrumented) they gave the fuzzer no feedback from the code it tests
# and ran several times slower. The target's own objects come first, so glintbox_core's settings
# members are never linked in; ASan and UBSan stay on through the flags above.
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  set(GLINTBOX_FUZZ_SOURCES ${GLINTBOX_CORE_SOURCES})
  list(FILTER GLINTBOX_FUZZ_SOURCES INCLUDE REGEX "/src/settings/[^/]+\\.cpp$")
  if(NOT GLINTBOX_FUZZ_SOURCES)
    message(FATAL_ERROR "fuzz_settings: no sources under src/settings/")
  endif()
  add_executable(fuzz_settings tests/fuzz/fuzz_settings.cpp ${GLINTBOX_FUZZ_SOURCES})
  target_compile_options(fuzz_settings PRIVATE -O2 -fsanitize=fuzzer)
  target_link_options(fuzz_settings PRIVATE -fsanitize=fuzzer)
  target_link_libraries(fuzz_settings PRIVATE glintbox_fake)
endif()

find_package(benchmark QUIET)
# bench/win/ holds the benchmarks of the real Win32 calls, built by the Windows presets.
file(GLOB GLINTBOX_BENCH_SOURCES CONFIGURE_DEPENDS bench/*.cpp)
if(benchmark_FOUND AND GLINTBOX_BENCH_SOURCES)
  add_executable(glintbox_bench ${GLINTBOX_BENCH_SOURCES})
  target_link_libraries(glintbox_bench PRIVATE glintbox_fake benchmark::benchmark)
endif()

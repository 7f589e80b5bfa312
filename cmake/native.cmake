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
  tests/app/*.cpp tests/monitor/*.cpp tests/ledwindow/*.cpp tests/placement/*.cpp
  tests/settings/*.cpp tests/config/*.cpp tests/platform/*.cpp)
add_executable(glintbox_tests ${GLINTBOX_NATIVE_TESTS})
target_include_directories(glintbox_tests PRIVATE tests)
target_link_libraries(glintbox_tests PRIVATE glintbox_fake GTest::gtest GTest::gtest_main)
gtest_discover_tests(glintbox_tests DISCOVERY_TIMEOUT 60)

# libFuzzer target for the INI reader and LoadSettings (clang only).
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  add_executable(fuzz_settings tests/fuzz/fuzz_settings.cpp)
  target_compile_options(fuzz_settings PRIVATE -fsanitize=fuzzer)
  target_link_options(fuzz_settings PRIVATE -fsanitize=fuzzer)
  target_link_libraries(fuzz_settings PRIVATE glintbox_fake)
endif()

find_package(benchmark QUIET)
file(GLOB GLINTBOX_BENCH_SOURCES CONFIGURE_DEPENDS bench/*.cpp)
list(FILTER GLINTBOX_BENCH_SOURCES EXCLUDE REGEX "bench/win_.*\\.cpp$")
if(benchmark_FOUND AND GLINTBOX_BENCH_SOURCES)
  add_executable(glintbox_bench ${GLINTBOX_BENCH_SOURCES})
  target_link_libraries(glintbox_bench PRIVATE glintbox_fake benchmark::benchmark)
endif()

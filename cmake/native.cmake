# Native build: the simulated platform, the tests of the logic and the handlers, and the
# benchmarks.
add_library(tolvar_sim STATIC src/platform/sim/sim_platform.cpp)
tolvar_target(tolvar_sim)
target_link_libraries(tolvar_sim PUBLIC tolvar_core)

find_package(GTest REQUIRED)
enable_testing()
include(GoogleTest)

add_executable(tolvar_tests
  tests/unit/ansi_text_test.cpp
  tests/unit/grid_test.cpp
  tests/unit/close_filter_test.cpp
  tests/unit/bmp_picture_test.cpp
  tests/unit/record_store_test.cpp
  tests/unit/store_crash_test.cpp
  tests/sim/startup_test.cpp
  tests/sim/catalogue_test.cpp
  tests/test_main.cpp
)
tolvar_target(tolvar_tests)
target_link_libraries(tolvar_tests PRIVATE tolvar_sim GTest::gtest)
gtest_discover_tests(tolvar_tests DISCOVERY_MODE PRE_TEST)

if(TOLVAR_BENCHMARKS)
  find_package(benchmark REQUIRED)
  add_executable(tolvar_bench bench/catalogue_bench.cpp)
  tolvar_target(tolvar_bench)
  target_link_libraries(tolvar_bench PRIVATE tolvar_sim benchmark::benchmark)
endif()

# End-to-end tests: a test program of our own, run under Wine, that starts the real
# TolvarGM.exe in fresh folders and acts on it as a user would.
if(NOT EXISTS /usr/src/googletest/CMakeLists.txt)
  message(STATUS "GoogleTest sources not found: no end-to-end tests")
  return()
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)

enable_testing()
include(GoogleTest)

# Windows paths of the build folder as Wine sees it (drive Z: is the Unix root).
string(REPLACE "/" "\\\\" TOLVAR_WIN_BINARY_DIR "Z:${CMAKE_BINARY_DIR}")

add_executable(e2e_tests
  tests/e2e/e2e_support.cpp
  tests/e2e/startup_e2e_test.cpp
  tests/e2e/catalogue_e2e_test.cpp
)
tolvar_target(e2e_tests)
target_compile_definitions(e2e_tests PRIVATE
  TOLVAR_EXE_PATH="${TOLVAR_WIN_BINARY_DIR}\\\\TolvarGM.exe"
  TOLVAR_E2E_WORK="${TOLVAR_WIN_BINARY_DIR}\\\\e2e-work"
  TOLVAR_E2E_ARTIFACTS="${TOLVAR_WIN_BINARY_DIR}\\\\e2e-artifacts")
target_link_libraries(e2e_tests PRIVATE tolvar_core gtest gtest_main user32 gdi32)
target_link_options(e2e_tests PRIVATE -static)
add_dependencies(e2e_tests TolvarGM)
gtest_discover_tests(e2e_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 180)

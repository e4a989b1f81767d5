# Windows build: the static program with its resources, and the end-to-end tests that
# drive it under Wine.
find_program(PYTHON3 python3 REQUIRED)
set(TOLVAR_GEN "${CMAKE_BINARY_DIR}/generated")
file(MAKE_DIRECTORY "${TOLVAR_GEN}")

add_custom_command(
  OUTPUT "${TOLVAR_GEN}/app.ico" "${TOLVAR_GEN}/pointer.cur"
  COMMAND "${PYTHON3}" "${PROJECT_SOURCE_DIR}/tools/make_art.py" "${TOLVAR_GEN}"
  DEPENDS "${PROJECT_SOURCE_DIR}/tools/make_art.py"
  COMMENT "Drawing the icon and the pointer")
add_custom_command(
  OUTPUT "${TOLVAR_GEN}/app.res.o"
  COMMAND "${CMAKE_RC_COMPILER}" -c 65001 -I "${PROJECT_SOURCE_DIR}/res" -I "${TOLVAR_GEN}"
          "${PROJECT_SOURCE_DIR}/res/app.rc" -O coff -o "${TOLVAR_GEN}/app.res.o"
  DEPENDS "${PROJECT_SOURCE_DIR}/res/app.rc" "${PROJECT_SOURCE_DIR}/res/app.manifest"
          "${PROJECT_SOURCE_DIR}/res/ids.h" "${TOLVAR_GEN}/app.ico" "${TOLVAR_GEN}/pointer.cur"
  COMMENT "Compiling the resources")

set(TOLVAR_WIN32_LIBS ole32 oleaut32 uuid shell32 comdlg32 gdi32 user32 advapi32 comctl32 msimg32)

add_library(tolvar_win32 STATIC
  src/platform/win32/drop_target.cpp
  src/platform/win32/game_button.cpp
  src/platform/win32/win32_platform.cpp
  src/platform/win32/win32_shell.cpp
)
tolvar_target(tolvar_win32)
target_include_directories(tolvar_win32 PRIVATE "${PROJECT_SOURCE_DIR}/res")
target_compile_definitions(tolvar_win32 PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
target_link_libraries(tolvar_win32 PUBLIC tolvar_core ${TOLVAR_WIN32_LIBS})

add_executable(TolvarGM WIN32 src/platform/win32/main.cpp "${TOLVAR_GEN}/app.res.o")
tolvar_target(TolvarGM)
target_link_libraries(TolvarGM PRIVATE tolvar_win32)
target_link_options(TolvarGM PRIVATE -static)

include(cmake/e2e.cmake OPTIONAL)

# The start-up measurement under Wine and its reference program.
string(REPLACE "/" "\\\\" TOLVAR_WIN_BINARY_DIR_BENCH "Z:${CMAKE_BINARY_DIR}")
add_executable(reference_window WIN32 bench/reference_window.cpp)
target_link_options(reference_window PRIVATE -static)
add_executable(startup_bench bench/startup_bench_win.cpp)
tolvar_target(startup_bench)
target_compile_definitions(startup_bench PRIVATE
  TOLVAR_EXE_PATH="${TOLVAR_WIN_BINARY_DIR_BENCH}\\\\TolvarGM.exe"
  TOLVAR_REFERENCE_EXE="${TOLVAR_WIN_BINARY_DIR_BENCH}\\\\reference_window.exe"
  TOLVAR_BENCH_WORK="${TOLVAR_WIN_BINARY_DIR_BENCH}\\\\bench-work")
target_link_libraries(startup_bench PRIVATE tolvar_core user32)
target_link_options(startup_bench PRIVATE -static)
add_dependencies(startup_bench TolvarGM reference_window)

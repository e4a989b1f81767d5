#!/bin/bash
# Builds everything and runs all test tiers, then the benchmarks:
#   1. pure-logic and 2. simulated-platform tests (native, ASan + UBSan)
#   3. end-to-end tests of the real .exe under Wine on a private 1366 x 768 Xvfb display
#   benchmarks: the catalogue's hot paths (native) and the start-up run under Wine
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
jobs="$(nproc)"
start=$SECONDS

bash "$root/scripts/setup.sh"

echo "== Native build: logic and simulated-platform tests"
cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=Debug -DTOLVAR_SANITIZE=ON >/dev/null
cmake --build "$root/build/native" -j"$jobs"
summary="$(mktemp)"
(cd "$root/build/native" && ctest --output-on-failure) | tee -a "$summary"

echo "== Windows build and end-to-end tests under Wine"
cmake -S "$root" -B "$root/build/win" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-posix.cmake" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build/win" -j"$jobs"
source "$root/scripts/wine-session.sh"
trap wine_session_stop EXIT
wine_session_start xvfb
rm -rf "$root/build/win/e2e-artifacts"
(cd "$root/build/win" && ctest --output-on-failure) | tee -a "$summary"
for bmp in "$root"/build/win/e2e-artifacts/*.bmp; do
  [[ -e "$bmp" ]] && convert "$bmp" "${bmp%.bmp}.png"
done
echo "Screenshots: $root/build/win/e2e-artifacts"

echo "== Benchmarks (figures only, nothing asserted)"
cmake -S "$root" -B "$root/build/bench" -DCMAKE_BUILD_TYPE=Release -DTOLVAR_SANITIZE=OFF \
  -DTOLVAR_BENCHMARKS=ON >/dev/null
cmake --build "$root/build/bench" --target tolvar_bench -j"$jobs"
"$root/build/bench/tolvar_bench" --benchmark_min_time=0.2
(cd "$root/build/win" && wine ./startup_bench.exe)
wine_session_stop
trap - EXIT

total=$(( $(sed -n 's/.*tests passed, 0 tests failed out of \([0-9]*\).*/\1/p' "$summary" | paste -sd+) ))
rm -f "$summary"
echo "All tiers passed in $((SECONDS - start)) s."
echo "tests: $total passed, 0 failed"

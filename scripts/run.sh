#!/bin/bash
# Builds the Windows program and starts it under Wine: on the current display, or on a
# virtual one when there is none, where it saves a screenshot of the running bar.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/setup.sh"
build="$root/build/win"
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-posix.cmake" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target TolvarGM -j"$(nproc)"

# The program keeps config.ini and Gameinfo.edb beside itself: run it from its own folder.
home="$root/out/TolvarGM"
mkdir -p "$home"
cp "$build/TolvarGM.exe" "$home/"
echo "Program folder: $home"

source "$root/scripts/wine-session.sh"
had_display="${DISPLAY:-}"
trap wine_session_stop EXIT
wine_session_start
if [[ -n "$had_display" ]]; then
  echo "Running on display $DISPLAY; leave the program from its menu (退出程序)."
  wine "$home/TolvarGM.exe"
  exit 0
fi

wine "$home/TolvarGM.exe" >/dev/null 2>&1 &
sleep 5
shot="$root/out/screenshot.png"
import -window root "$shot"
echo "Running on virtual display $DISPLAY; screenshot of the bar: $shot"
if [[ -t 0 ]]; then
  read -r -p "Press Enter to stop the program. " _
fi

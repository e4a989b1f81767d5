#!/bin/bash
# Installs what the builds and tests need on a Debian machine (run as root), and only
# what is missing: packages, the Chinese locale, the SQLite amalgamation for the Windows
# build. Safe to run again.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

packages=(
  cmake make g++ python3 tcl
  googletest libgtest-dev libbenchmark-dev libsqlite3-dev sqlite3
  g++-mingw-w64-x86-64-posix wine wine64 xvfb xauth x11-utils
  fonts-wqy-microhei fonts-wine imagemagick locales
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine reads the locale to choose code page 936 and to map GBK file names.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
fi

bash "$root/scripts/fetch-sqlite.sh"

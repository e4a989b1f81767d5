#!/bin/bash
# Builds the SQLite amalgamation (sqlite3.c / sqlite3.h) for the Windows build from
# Debian's own sqlite3 source package, the same version as the native libsqlite3-dev.
# Output: $1 (default .cache/sqlite) holding sqlite3.c and sqlite3.h. Idempotent.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="${1:-$root/.cache/sqlite}"
if [[ -f "$out/sqlite3.c" && -f "$out/sqlite3.h" ]]; then
  exit 0
fi
work="$root/.cache/sqlite-src"
rm -rf "$work"
mkdir -p "$work/sources" "$work/lists/partial" "$work/cache/archives/partial" "$out"

# A private deb-src entry for the mirror and suite the machine already uses.
src_list=/etc/apt/sources.list.d/debian.sources
uri="http://deb.debian.org/debian"
suite="bookworm"
if [[ -f "$src_list" ]]; then
  uri="$(awk '/^URIs:/{print $2; exit}' "$src_list")"
  suite="$(awk '/^Suites:/{print $2; exit}' "$src_list")"
fi
cat > "$work/sources/src.sources" <<SRC
Types: deb-src
URIs: $uri
Suites: $suite
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
apt_opts=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$work/sources"
          -o "Dir::State::Lists=$work/lists" -o "Dir::Cache=$work/cache")
apt-get "${apt_opts[@]}" -qq update
(cd "$work" && apt-get "${apt_opts[@]}" -qq source --download-only sqlite3)
tarball="$(ls "$work"/sqlite3_*.orig.tar.* | head -n1)"
mkdir -p "$work/tree"
tar -xf "$tarball" -C "$work/tree" --strip-components=1
(cd "$work/tree" && ./configure --quiet >/dev/null && make -s sqlite3.c >/dev/null)
cp "$work/tree/sqlite3.c" "$work/tree/sqlite3.h" "$out/"
rm -rf "$work"
echo "SQLite amalgamation in $out"

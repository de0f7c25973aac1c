#!/usr/bin/env bash
# Remakes tests/platform/data/cp932-windows.txt: builds cp932_reference.exe with MinGW-w64 and
# runs it under Wine (a fresh Wine prefix under BUILD_DIR, default build/cp932-reference).
set -euo pipefail
cd "$(dirname "$0")/../.."
out_dir=${BUILD_DIR:-build/cp932-reference}
mkdir -p "$out_dir"
x86_64-w64-mingw32-g++-posix -std=c++20 -O2 -Wall -Wextra -static \
  -o "$out_dir/cp932_reference.exe" scripts/cp932-reference/cp932_reference.cpp
WINEDEBUG=-all WINEPREFIX="$(realpath "$out_dir")/wineprefix" \
  wine "$out_dir/cp932_reference.exe" > "$out_dir/cp932-windows.txt"
mkdir -p tests/platform/data
mv "$out_dir/cp932-windows.txt" tests/platform/data/cp932-windows.txt
wine --version | sed 's/^/Measured with /'

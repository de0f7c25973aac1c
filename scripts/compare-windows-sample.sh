#!/usr/bin/env bash
# Converts the sample boring with the Linux build and with the Windows build (under Wine) into
# two fresh destination trees and fails unless the trees are identical, byte for byte.
#   scripts/compare-windows-sample.sh LINUX_BUILD_DIR WINDOWS_BUILD_DIR
set -euo pipefail
cd "$(dirname "$0")/.."
linux_build="$1"
windows_build="$2"
compare="$windows_build/sample-compare"
rm -rf "$compare" && mkdir -p "$compare/linux" "$compare/windows"

"$linux_build/src/cli/qe2m4" convert --drive S=examples --drive "D=$compare/linux" \
  --system-dir examples --yes --quiet 'S:\BORING1' 'D:\TYUJYOU\A1234\B\C'

# Wine sees the build machine's root folder as drive Z:.
windows_path() { echo "Z:$(realpath "$1")" | tr / '\\'; }
# A quiet conversion writes nothing to standard error, and neither may Wine on its behalf (it
# does when the program asks about the device behind a drive such as Z:).
scripts/wine-run.sh "$windows_build/src/cli/qe2m4.exe" convert \
  --drive "S=$(windows_path examples)" --drive "D=$(windows_path "$compare/windows")" \
  --system-dir "$(windows_path examples)" --yes --quiet 'S:\BORING1' 'D:\TYUJYOU\A1234\B\C' \
  2>"$compare/windows-messages"
if [ -s "$compare/windows-messages" ]; then
  cat "$compare/windows-messages" >&2
  echo "The Windows build's conversion wrote to standard error" >&2
  exit 1
fi

if ! diff -r "$compare/linux" "$compare/windows"; then
  echo "The Windows build's output differs from the Linux build's" >&2
  exit 1
fi
files=$(find "$compare/linux" -type f | wc -l)
[ "$files" -gt 0 ] || { echo "No output to compare" >&2; exit 1; }
echo "Sample conversion: the Windows build wrote the same $files files as the Linux build"

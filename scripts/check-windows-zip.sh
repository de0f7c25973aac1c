#!/usr/bin/env bash
# Unpacks the Windows zip that `make package` made and converts its sample boring with its own
# qe2m4.exe under Wine, the way the zip's README tells a user to (in the unpacked folder, with
# relative paths): the files must equal the Linux build's conversion of the same sample.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
windows_build=${WINDOWS_BUILD_DIR:-build-windows}
zips=("$build"/packages/qe2m4-*-win64.zip)
[ -f "${zips[0]}" ] || { echo "no zip in $build/packages: run make package" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unzip -q "${zips[0]}" -d "$work"
unpacked=("$work"/qe2m4-*-win64)
for file in qe2m4.exe qe2m4-gui.exe README.txt sample/BORING1/X1.TXT sample/PATDAT/L9.txt sample/Patdat32.ini; do
  [ -f "${unpacked[0]}/$file" ] || { echo "the zip lacks $file" >&2; exit 1; }
done

mkdir "${unpacked[0]}/out" "$work/linux"
# The Windows build's own prefix, made once by wine-run.sh.
export WINEPREFIX
WINEPREFIX=$(realpath "$windows_build")/wineprefix
wine_run=$(realpath scripts/wine-run.sh)
(cd "${unpacked[0]}" && "$wine_run" qe2m4.exe --version &&
  "$wine_run" qe2m4.exe convert --drive S=sample --drive D=out --system-dir sample --yes --quiet \
    'S:\BORING1' 'D:\TYUJYOU\A1234\B\C')
"$build/src/cli/qe2m4" convert --drive S=examples --drive D="$work/linux" --system-dir examples \
  --yes --quiet 'S:\BORING1' 'D:\TYUJYOU\A1234\B\C'
diff -r "$work/linux" "${unpacked[0]}/out"
echo "The zip's qe2m4.exe converts its sample under Wine as the Linux build does"

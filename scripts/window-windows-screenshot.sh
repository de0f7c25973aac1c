#!/usr/bin/env bash
# Takes docs/window-windows.png: qe2m4-gui.exe of the Windows build (make windows) under Wine,
# in a Wine desktop on a virtual X server, opened on the sample boring as `make gui` opens the
# Linux window (S: is the sample with PATDAT beside the program, D: a destination holding
# \TYUJYOU). Needs xvfb and ImageMagick.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-windows}"
output="${2:-docs/window-windows.png}"
program="$build/src/app/win32/qe2m4-gui.exe"
[ -f "$program" ] || { echo "no $program: run make windows first" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp -r examples "$work/S"
mkdir -p "$work/D/TYUJYOU"
cp "$program" "$work/S/"
export WINEPREFIX="$PWD/$build/wineprefix-window" WINEDEBUG=-all
if [ ! -d "$WINEPREFIX" ]; then
  wineboot --init >/dev/null 2>&1 || true
  wineserver -w
fi
# Wine's UI font has no Japanese characters; Windows links its UI fonts to a Japanese font, so
# do the same here with the IPA Gothic font of the build machine (fonts-ipafont-gothic).
for font in Tahoma "MS Shell Dlg" "Microsoft Sans Serif"; do
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
    /v "$font" /t REG_MULTI_SZ /d 'ipag.ttf,IPAGothic' /f >/dev/null 2>&1
done
wineserver -w
s="Z:${work//\//\\}\\S"
d="Z:${work//\//\\}\\D"
unmapped=()
for letter in A B C E F G H I J K L M N O P Q R T U V W X Y Z; do
  unmapped+=(--drive "$letter=")
done

# The Wine desktop draws the window's frame and caption as Windows does; the picture is cut out
# of the desktop's plain background.
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  cd "$1" && shift
  wine explorer /desktop=qe2m4,900x700 "$@" &
  for _ in $(seq 60); do
    sleep 1
    import -window root "'"$work"'/desktop.png" 2>/dev/null || continue
    # The window is up once the desktop holds more than its background colour.
    [ "$(convert "'"$work"'/desktop.png" -format "%k" info:)" -gt 50 ] && break
  done
  sleep 2
  import -window root "'"$work"'/desktop.png"
  wineserver -k
' _ "$work/S" "$work/S/qe2m4-gui.exe" "${unmapped[@]}" --drive "S=$s" --drive "D=$d" \
  --system-dir "$s"
# Twice: first the X screen around the Wine desktop, then the desktop around the window.
convert "$work/desktop.png" -trim +repage -fuzz 1% -trim +repage "$output"
echo "wrote $output"

#!/usr/bin/env bash
# Takes the pictures of the Windows window (qe2m4-gui.exe of the Windows build BUILD, default
# build-windows/) into the folder DOCS (default docs/): the program under Wine, in a Wine desktop
# on a virtual X server, for a Japanese user (Japanese locale and UI language, a Japanese UI
# font), opened on the sample boring as `make gui` opens the Linux window (S: is the sample with
# PATDAT beside the program, D: a destination holding \TYUJYOU):
#   window-windows.png            at start-up
#   window-windows-question.png   the paths typed, 実  行 pressed, the folder question
#   window-windows-converted.png  after はい: the success text and the run's notice
# The window is driven with the keyboard through xdotool, in its tab order (Dir1, Drive1, Dir2,
# Drive2, Command1, Command2, Text1, Text2; the focus starts on Dir1). Needs xvfb, xdotool and
# ImageMagick (scripts/install-deps.sh screenshots).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-windows}"
docs="$(realpath "${2:-docs}")"
program="$build/src/app/win32/qe2m4-gui.exe"
[ -f "$program" ] || { echo "no $program: run make windows first" >&2; exit 1; }

source scripts/screenshot-setting.sh
work="$SCREENSHOT_WORK"
xvfb=""
# A Wine prefix of the pictures' own, made in the Japanese locale (the window's tests keep theirs).
export WINEPREFIX="$PWD/$build/wineprefix-screenshot" WINEDEBUG=-all WINEARCH=win64
export WINEDLLOVERRIDES="winemenubuilder.exe,mscoree,mshtml=d"
cleanup() {
  wineserver -k 2>/dev/null || true
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
screenshot_setting "$work"
cp "$program" "$work/sample/"

if [ ! -f "$WINEPREFIX/.qe2m4-ready" ]; then
  source scripts/wine-prefix.sh
  make_wine_prefix
  # Wine's UI fonts have no Japanese characters; Windows links its UI fonts to a Japanese font,
  # so do the same here with the IPA Gothic font of the build machine (fonts-ipafont-gothic).
  for font in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif" "MS UI Gothic"; do
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
      /v "$font" /t REG_MULTI_SZ /d 'ipag.ttf,IPAGothic' /f >/dev/null 2>&1
  done
  wineserver -w
  touch "$WINEPREFIX/.qe2m4-ready"
fi

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.2; done
export DISPLAY=":$(cat "$work/display")"

# screen FILE: the X screen as it is now.
screen() { import -window root "$1"; }
# wait_change: waits (up to a minute) until the screen differs from the last picture taken, then
# for it to settle.
last="$work/last.png"
wait_change() {
  for _ in $(seq 120); do
    sleep 0.5
    screen "$work/now.png"
    if ! cmp -s <(convert "$last" rgb:-) <(convert "$work/now.png" rgb:-); then
      sleep 2
      return 0
    fi
  done
  echo "the window did not change" >&2
  return 1
}
# capture FILE: the screen, cut twice: first the X screen around the Wine desktop, then the
# desktop's plain background around the window (and its message box).
capture() {
  screen "$last"
  convert "$last" -trim +repage -fuzz 1% -trim +repage -define png:exclude-chunks=date,time "$1"
  echo "wrote $1"
}

s="Z:${work//\//\\}\\sample"
d="Z:${work//\//\\}\\kirvan"
unmapped=()
for letter in A B C E F G H I J K L M N O P Q R T U V W X Y Z; do
  unmapped+=(--drive "$letter=")
done
screen "$last"
(cd "$work/sample" && wine explorer /desktop=qe2m4,900x700 qe2m4-gui.exe "${unmapped[@]}" \
  --drive "S=$s" --drive "D=$d" --system-dir "$s" >/dev/null 2>&1) &
wait_change
# The window is up once the desktop holds more than its background colour.
for _ in $(seq 60); do
  screen "$work/now.png"
  [ "$(convert "$work/now.png" -format "%k" info:)" -gt 50 ] && break
  sleep 1
done
sleep 2
capture "$docs/window-windows.png"

# Keys go to the Wine desktop, the one window of the X screen.
desktop=$(xdotool search --name 'qe2m4' | head -1)
xdotool windowfocus --sync "$desktop" 2>/dev/null || xdotool mousemove 5 5
key() { xdotool key --delay 150 "$@"; }
key Tab Tab Tab Tab Tab Tab
xdotool type --delay 50 'D:\TYUJYOU\A1234\B\C'
key Tab
xdotool type --delay 50 'S:\BORING1'
key shift+Tab shift+Tab shift+Tab
sleep 1
screen "$last"
key space
wait_change
capture "$docs/window-windows-question.png"
key Return
output="$work/kirvan/TYUJYOU/A1234/B/C"
for _ in $(seq 120); do [ -f "$output/N7.txt" ] && break; sleep 0.5; done
[ -f "$output/N7.txt" ] || { echo "the conversion wrote no $output/N7.txt" >&2; exit 1; }
sleep 3
capture "$docs/window-windows-converted.png"
key Return

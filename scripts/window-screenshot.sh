#!/usr/bin/env bash
# Takes the pictures of the Linux window (qe2m4-gui of the build BUILD, default build/) into the
# folder DOCS (default docs/), on a virtual X server, in a Japanese locale with a Japanese font:
#   window.png            at start-up, opened on the sample boring as `make gui` opens it
#   window-question.png   the first conversion: the paths typed, 実  行 pressed, the folder question
#   window-converted.png  after はい: the success text and the run's notice
# The window is driven from the outside with xdotool; its positions are those of the window's
# control table (twips / 15 = pixels). Needs xvfb, xdotool and ImageMagick
# (scripts/install-deps.sh screenshots).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
docs="$(realpath "${2:-docs}")"
program="$(realpath "$build/src/app/window/qe2m4-gui" 2>/dev/null || true)"
[ -x "$program" ] || { echo "no $build/src/app/window/qe2m4-gui: build it first" >&2; exit 1; }

source scripts/screenshot-setting.sh
work="$SCREENSHOT_WORK"
xvfb=""
trap '[ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true; rm -rf "$work"' EXIT
screenshot_setting "$work"
# The program beside the sample's PATDAT, so that start-up finds it at once.
cp "$program" "$work/sample/qe2m4-gui"

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.2; done
export DISPLAY=":$(cat "$work/display")"

caption='Holtvar_Qe -> M4 変換プログラム'
# wait_windows COUNT: waits until COUNT windows with the caption (the window, its message boxes)
# are shown.
wait_windows() {
  for _ in $(seq 60); do
    [ "$(xdotool search --onlyvisible --name "$caption" 2>/dev/null | wc -l)" -ge "$1" ] && return 0
    sleep 0.5
  done
  echo "fewer than $1 windows captioned \"$caption\" appeared" >&2
  return 1
}
# capture FILE: the X screen, cut down to what is drawn on its black background.
capture() {
  sleep 1
  import -window root "$work/screen.png"
  convert "$work/screen.png" -trim +repage -define png:exclude-chunks=date,time "$1"
  echo "wrote $1"
}

cd "$work/sample"
options=(--drive S=. --drive D=../kirvan --system-dir .)
./qe2m4-gui "${options[@]}" --screenshot "$docs/window.png"
echo "wrote $docs/window.png"

./qe2m4-gui "${options[@]}" &
gui=$!
wait_windows 1
window=$(xdotool search --onlyvisible --name "$caption" | head -1)
# Text2 (source), Text1 (destination), Command1 (実  行), Command2 (終  了).
xdotool mousemove --window "$window" 300 29 click 1
xdotool type --delay 30 'S:\BORING1'
xdotool mousemove --window "$window" 300 69 click 1
xdotool type --delay 30 'D:\TYUJYOU\A1234\B\C'
xdotool mousemove --window "$window" 232 390 click 1
wait_windows 2
capture "$docs/window-question.png"
xdotool key y
output="$work/kirvan/TYUJYOU/A1234/B/C"
for _ in $(seq 60); do [ -f "$output/N7.txt" ] && break; sleep 0.5; done
[ -f "$output/N7.txt" ] || { echo "the conversion wrote no $output/N7.txt" >&2; exit 1; }
wait_windows 2
capture "$docs/window-converted.png"
xdotool key Return
sleep 0.5
xdotool mousemove --window "$window" 414 390 click 1
wait "$gui"

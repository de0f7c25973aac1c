#!/usr/bin/env bash
# Runs the Windows installer that `make package` made silently under Wine, in fresh Wine
# prefixes, once as a Japanese and once as an English user: the Start-menu folder must hold the
# links under the installer's names in that language, the user's Send To (送る) folder the
# window's link and the program folder the programs; the uninstaller must then remove them all.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
setups=("$build"/packages/qe2m4-*-win64-setup.exe)
[ -f "${setups[0]}" ] || { echo "no installer in $build/packages: run make package" >&2; exit 1; }
setup=$(realpath "${setups[0]}")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A Japanese locale of the check's own (from the sources of Debian's locales package), so that
# Wine takes Japanese as the user's language without a change to the machine's locales.
mkdir "$work/locales"
localedef -i ja_JP -f UTF-8 "$work/locales/ja_JP.UTF-8"
export LOCPATH="$work/locales" WINEDEBUG=-all WINEARCH=win64
export WINEDLLOVERRIDES="winemenubuilder.exe,mscoree,mshtml=d"
source scripts/wine-prefix.sh

# The user's Send To folder of the current Wine prefix (under the user's profile, whatever its
# user's name).
send_to() {
  find "$WINEPREFIX/drive_c/users" -type d -name SendTo -path '*/Microsoft/Windows/*' -print -quit
}

# check LANG SEND_TO_LINK LINK...: installs as a user of that language, checks, uninstalls, checks.
check() {
  local lang=$1 send_to_link=$2
  shift 2
  export LANG=$lang WINEPREFIX="$work/prefix-$lang"
  make_wine_prefix
  wine "$setup" /S
  wineserver -w
  local menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/qe2m4"
  local program="$WINEPREFIX/drive_c/Program Files/qe2m4"
  for link in "$@"; do
    [ -f "$menu/$link.lnk" ] || { echo "$lang: no Start-menu link \"$link\"" >&2; ls "$menu" >&2; exit 1; }
  done
  for file in qe2m4.exe qe2m4-gui.exe README.txt Uninstall.exe; do
    [ -f "$program/$file" ] || { echo "$lang: $file was not installed" >&2; exit 1; }
  done
  local send_to_folder
  send_to_folder=$(send_to)
  [ -f "$send_to_folder/$send_to_link.lnk" ] || {
    echo "$lang: no Send To link \"$send_to_link\" in ${send_to_folder:-(no SendTo folder)}" >&2
    ls "$send_to_folder" >&2 || true
    exit 1
  }
  wine "$program/Uninstall.exe" /S
  wineserver -w
  [ ! -e "$menu" ] || { echo "$lang: the uninstaller left the Start-menu folder" >&2; exit 1; }
  [ ! -e "$program/qe2m4.exe" ] || { echo "$lang: the uninstaller left the program" >&2; exit 1; }
  [ ! -e "$send_to_folder/$send_to_link.lnk" ] || {
    echo "$lang: the uninstaller left the Send To link" >&2
    exit 1
  }
  echo "$lang: the installer made the Start-menu links ($*) and the Send To link" \
    "($send_to_link); the uninstaller removed them"
}

check ja_JP.UTF-8 "qe2m4 変換プログラム" "qe2m4 変換プログラム" "qe2m4 のはじめに (README)" \
  "qe2m4 のフォルダ" "qe2m4 のアンインストール"
check C.UTF-8 "qe2m4 converter" "qe2m4 converter" "qe2m4 README" "qe2m4 folder" "Uninstall qe2m4"

#!/usr/bin/env bash
# Installs the Debian packages the build needs, when any is missing (via sudo when not root).
# With the argument "windows": what the Windows cross build, its tests under Wine and its
# installer need. With "ci": both sets and the tools .ci/run calls beyond them. With
# "screenshots": what the window screenshot scripts need beyond the builds (make screenshots).
set -euo pipefail

linux=(
  cmake make g++ pkg-config python3
  libgtest-dev libgmock-dev
  libcli11-dev          # the command line's parser (header-only)
  clang                 # libFuzzer targets
  qt6-base-dev          # the window
  fonts-ipafont-gothic  # Japanese captions in the window
  qt6-translations-l10n # Japanese standard buttons (はい, いいえ) in message boxes
)
windows=(
  cmake make
  g++-mingw-w64-x86-64-posix # the cross compiler (POSIX threads, for std::thread and friends)
  googletest                 # GoogleTest's sources, built with the cross compiler
  wine wine64                # the tests run under Wine
  xvfb xauth                 # the Win32 window's tests, on a virtual X server (xvfb-run)
  nsis                       # makensis, for the installer that make package makes
  locales                    # a Japanese locale for the installer's check under Wine
)
screenshots=(
  xvfb xauth            # a virtual X server for the windows
  xdotool               # drives the windows from the outside
  imagemagick           # takes and trims the pictures (import, convert)
  locales               # localedef, for a Japanese locale of the scripts' own
  fonts-ipafont-gothic  # the Japanese UI font
)
ci=(
  clang-format           # the formatting check
  dpkg-dev               # dpkg-shlibdeps, for the Debian package's dependencies
  libreoffice-calc-nogui # a batch's report opened in a spreadsheet (check-report-in-calc.sh)
  desktop-file-utils     # desktop-file-validate, for the package's desktop entry
)
case "${1:-}" in
  "") packages=("${linux[@]}") ;;
  windows) packages=("${windows[@]}") ;;
  screenshots) packages=("${screenshots[@]}") ;;
  ci) packages=("${linux[@]}" "${windows[@]}" "${ci[@]}") ;;
  *) echo "usage: $0 [windows|ci|screenshots]" >&2; exit 2 ;;
esac

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"

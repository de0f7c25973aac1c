#!/usr/bin/env bash
# Fails at once, naming each one, when a command that .ci/run calls (itself or through make, CPack
# and the check scripts) is not on PATH: a missing install step shows here, not twenty minutes
# later in the middle of a package step.
set -euo pipefail

tools=(
  make cmake ctest cpack g++ pkg-config python3 iconv # the Linux build and its tests
  clang++ clang-format                                # the fuzz targets, the formatting check
  dpkg-deb dpkg-shlibdeps apt-get                     # the Debian package and its check
  x86_64-w64-mingw32-g++-posix                        # the Windows cross build
  wine wineserver wineboot                            # its tests, the zip's and installer's checks
  xvfb-run xauth                                      # the Win32 window's tests
  makensis                                            # the Windows installer
  localedef                                           # the installer's check as a Japanese user
  soffice                                             # the report opened in LibreOffice Calc
)
missing=()
for tool in "${tools[@]}"; do
  command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "missing commands: ${missing[*]} (scripts/install-deps.sh ci installs them)" >&2
  exit 1
fi
# The Japanese locale's sources, which localedef reads for the installer's check.
[ -f /usr/share/i18n/locales/ja_JP ] || { echo "missing: the ja_JP locale source (package locales)" >&2; exit 1; }
echo "Tools: all ${#tools[@]} commands found"

#!/usr/bin/env bash
# Installs the Debian package that `make package` made, as a user would, and converts the sample
# boring with the installed /usr/bin/qe2m4: the files must equal those of the build's own program.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
debs=("$build"/packages/qe2m4_*_amd64.deb)
[ -f "${debs[0]}" ] || { echo "no package in $build/packages: run make package" >&2; exit 1; }

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "./${debs[0]}"
dpkg -L qe2m4 | grep -qx /usr/share/man/man1/qe2m4.1.gz
/usr/bin/qe2m4 --version
[ -x /usr/bin/qe2m4-gui ]

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/installed" "$work/built"
/usr/bin/qe2m4 convert --drive S=examples --drive D="$work/installed" --system-dir examples --yes \
  'S:\BORING1' 'D:\TYUJYOU\A1234\B\C'
"$build/src/cli/qe2m4" convert --drive S=examples --drive D="$work/built" --system-dir examples \
  --yes --quiet 'S:\BORING1' 'D:\TYUJYOU\A1234\B\C'
diff -r "$work/installed" "$work/built"
echo "The installed qe2m4 converts the sample as the build does"

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
# The Japanese manual page, for man in a Japanese locale: UTF-8 text with the version filled in,
# and, where man is installed, one that groff lays out without a warning (a Japanese line it
# cannot break, a character it has no glyph for) and whose headings are Japanese.
japanese_page=/usr/share/man/ja/man1/qe2m4.1.gz
dpkg -L qe2m4 | grep -qx "$japanese_page"
zcat "$japanese_page" | iconv -f UTF-8 -t UTF-8 >/dev/null
zcat "$japanese_page" | grep '^\.SH 名前$' >/dev/null
if zcat "$japanese_page" | grep '@PROJECT_VERSION@' >/dev/null; then
  echo "the Japanese manual page lacks its version" >&2
  exit 1
fi
if command -v man >/dev/null; then
  warnings=$(LANG=C.UTF-8 MANWIDTH=80 man -l "$japanese_page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || { echo "the Japanese manual page: $warnings" >&2; exit 1; }
  LANG=C.UTF-8 MANWIDTH=80 man -l "$japanese_page" | grep '^オプション$' >/dev/null
fi
# Both manual pages as installed name the options and exit statuses of the installed program's
# help in their languages.
scripts/check-man-pages.py /usr/bin/qe2m4 /usr/share/man/man1/qe2m4.1.gz "$japanese_page"
# The desktop entry: valid, and offered for opening a folder, which it hands to the window.
desktop_entry=/usr/share/applications/qe2m4.desktop
desktop-file-validate "$desktop_entry"
grep -qx 'Exec=qe2m4-gui %f' "$desktop_entry"
grep -qx 'MimeType=inode/directory;' "$desktop_entry"
# The Japanese user guide and its pictures.
[ -f /usr/share/doc/qe2m4/README.ja.md ] && [ -f /usr/share/doc/qe2m4/docs/window.png ]
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

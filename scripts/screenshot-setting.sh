# Sourced by the window screenshot scripts: what both pictures share, so that the Linux and the
# Windows window are shown as a Japanese user sees them.
#
# screenshot_setting WORK: makes anew the folder WORK and in it
#   - a Japanese locale of its own (ja_JP.UTF-8, built from the sources of Debian's locales
#     package; LOCPATH points to it), so that nothing of the machine's locales changes;
#   - a fontconfig file that puts the IPA Gothic font (fonts-ipafont-gothic) first for the
#     sans-serif family, as Japanese desktops use a Japanese UI font for every character (the
#     path separator then shows as "¥", as on Japanese Windows);
#   - the sample boring as a user has it: WORK/sample is drive S: (its Patdat32.ini names
#     S:\PATDAT\), WORK/kirvan is drive D: holding \TYUJYOU, and an empty settings folder, so
#     that no drives.conf or soil-readings.csv of the machine shows in the pictures.
# It exports LANG, LC_ALL, LOCPATH, FONTCONFIG_FILE, XDG_CONFIG_HOME and XDG_RUNTIME_DIR, and
# unsets LANGUAGE.
screenshot_setting() {
  local work=$1
  local tool
  rm -rf "$work"
  for tool in xvfb-run xdotool import convert localedef; do
    command -v "$tool" >/dev/null || {
      echo "no $tool: scripts/install-deps.sh screenshots installs it" >&2
      return 1
    }
  done
  mkdir -p "$work/locales" "$work/config" "$work/kirvan/TYUJYOU"
  localedef -i ja_JP -f UTF-8 "$work/locales/ja_JP.UTF-8" 2>/dev/null ||
    [ -d "$work/locales/ja_JP.UTF-8" ]
  cat >"$work/fonts.conf" <<'EOF'
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>
  <alias binding="strong">
    <family>sans-serif</family>
    <prefer><family>IPAGothic</family></prefer>
  </alias>
</fontconfig>
EOF
  cp -r examples "$work/sample"
  mkdir -m 700 "$work/runtime"
  export LOCPATH="$work/locales" FONTCONFIG_FILE="$work/fonts.conf"
  export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
  # The shell itself cannot take the locale (it read LOCPATH when it started); the programs do.
  export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 2>/dev/null
  unset LANGUAGE
}

# The scripts' work folder. Its name shows in the drive lists (S: [/tmp/qe2m4-screenshots/sample]),
# so it is always the same, and the pictures stay the same while the windows do; one script at a
# time uses it.
SCREENSHOT_WORK="${TMPDIR:-/tmp}/qe2m4-screenshots"
exec 9>"$SCREENSHOT_WORK.lock"
flock 9

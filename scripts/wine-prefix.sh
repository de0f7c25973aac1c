# Sourced by the scripts that run Windows programs under Wine.
#
# make_wine_prefix: makes the prefix WINEPREFIX. Wine may return from wineboot before the prefix
# is set up, and a first start sometimes fails to set it up at all (a prefix without
# kernel32.dll, where every program then fails to start): wait for Wine's server to finish, and
# make the prefix again when its system folder is not there.
make_wine_prefix() {
  local attempt
  for attempt in 1 2 3; do
    wineboot --init >/dev/null 2>&1 || true
    wineserver -w
    [ -f "$WINEPREFIX/drive_c/windows/system32/kernel32.dll" ] && return 0
    echo "Wine did not set up $WINEPREFIX (attempt $attempt)" >&2
    rm -rf "$WINEPREFIX"
  done
  return 1
}

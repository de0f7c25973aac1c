#!/usr/bin/env bash
# Runs a Windows program under Wine, quietly and without dialogs: WINEPREFIX defaults to a
# prefix beside the program's build folder (made on first use, once, under a lock), Wine's own
# messages are off, and a crashing program ends with its exit status instead of a debugger.
set -euo pipefail
program="$1"
shift
if [ -z "${WINEPREFIX:-}" ]; then
  folder="$(cd "$(dirname "$program")" && pwd)"
  # The build folder is the nearest one above the program holding CMakeCache.txt.
  while [ "$folder" != / ] && [ ! -f "$folder/CMakeCache.txt" ]; do
    folder="$(dirname "$folder")"
  done
  [ "$folder" = / ] && folder="$(cd "$(dirname "$program")" && pwd)"
  export WINEPREFIX="$folder/wineprefix"
fi
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe,mscoree,mshtml=d"
export WINEARCH=win64
if [ ! -f "$WINEPREFIX/.qe2m4-ready" ]; then
  source "$(dirname "$0")/wine-prefix.sh"
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.qe2m4-ready" ]; then
      make_wine_prefix
      # No crash dialog: a crashing test fails with its exit status.
      wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
        >/dev/null 2>&1
      wineserver -w
      touch "$WINEPREFIX/.qe2m4-ready"
    fi
  ) 9>"$WINEPREFIX.lock"
fi
exec wine "$program" "$@"

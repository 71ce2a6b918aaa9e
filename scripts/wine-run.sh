#!/usr/bin/env bash
# Runs a Windows program under Wine, as CTest's emulator and for the Windows tests: a private
# Wine prefix (made once, in build-windows/wineprefix unless WINEPREFIX is set), no Wine debug
# output, and the display of the test command's Xvfb (DISPLAY), or a new one when none is set.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$root/build-windows/wineprefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  # Several tests may start at once; one of them makes the prefix.
  exec 9>"$WINEPREFIX.lock"
  flock 9
  [ -f "$WINEPREFIX/system.reg" ] || wine wineboot -i >/dev/null 2>&1
  flock -u 9
fi
exec wine "$@"

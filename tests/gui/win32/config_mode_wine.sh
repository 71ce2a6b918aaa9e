#!/usr/bin/env bash
# The configuration mode of a Windows saver under Wine: the demo saver built with the Windows
# engine shows its main window for /C; the Settings dialog's OK writes the seven keys in order to
# the .ini beside the saver, and the window's Close button writes Index and ends the program with
# exit code 0. Clicks and keys come from xdotool, as a user's would.
#
# Usage: config_mode_wine.sh LVTOOL LVCSAVER.EXE [SCREENSHOT.png]
# Needs an X display (DISPLAY), wine, xdotool and ImageMagick's import; exits 77 (skipped)
# without them.
set -euo pipefail
lvtool=$1
engine=$2
shot=${3:-}
[ -z "$shot" ] || mkdir -p "$(dirname "$shot")"
for tool in wine xdotool import; do command -v "$tool" >/dev/null || exit 77; done
[ -n "${DISPLAY:-}" ] || exit 77

work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEDEBUG=-all
saver_pid=
cleanup() {
  [ -n "$saver_pid" ] && kill "$saver_pid" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "config_mode_wine: $*" >&2; exit 1; }

wine wineboot -i >/dev/null 2>&1
"$lvtool" make-demo "$work/demo" --engine "$engine" >/dev/null
ini=$work/demo/Demo.ini

# The window's client area in screen pixels; clicks are given in the form's client coordinates.
wait_for_window() {
  local name=$1 id=
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "^$name\$" 2>/dev/null | head -1) || true
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.2
  done
  return 1
}
click_in() {
  local window=$1 x=$2 y=$3
  xdotool mousemove --window "$window" "$x" "$y" click 1
}

(cd "$work/demo" && exec wine Demo.scr /C) &
saver_pid=$!
main=$(wait_for_window "Lorvane Demo") || fail "the main window did not appear"
sleep 2
[ -n "$shot" ] && import -window root "$shot"

# Settings... (416, 158, 168 x 30 in the form), then Enter, which is the dialog's OK.
click_in "$main" 500 173
dialog=$(wait_for_window "Settings") || fail "the Settings dialog did not appear"
[ -n "$shot" ] && import -window root "${shot%.png}-settings.png"
xdotool key --window "$dialog" Return
for _ in $(seq 50); do [ -f "$ini" ] && break; sleep 0.1; done
# The keys in the order the dialog writes them, each line ended by CR LF.
keys_of() { tr -d '\r' < "$ini" | sed 's/=.*//' | tr '\n' ' '; }
crlf_only() { ! grep -qv $'\r$' "$ini"; }
settings="[Setting] ImageSize ImageMode Speed Sound Music Transition Duration "
[ "$(keys_of)" = "$settings" ] && crlf_only || fail "Settings OK wrote: $(cat -A "$ini" 2>/dev/null)"

# Close (492, 512, 92 x 28 in the form).
click_in "$main" 538 526
status=0
wait "$saver_pid" || status=$?
saver_pid=
[ "$status" = 0 ] || fail "the program ended with $status"
[ "$(keys_of)" = "${settings}Index " ] && grep -q $'^Index=0\r$' "$ini" && crlf_only ||
  fail "Close wrote: $(cat -A "$ini")"
echo "config_mode_wine: passed"

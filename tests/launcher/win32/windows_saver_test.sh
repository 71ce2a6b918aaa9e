#!/usr/bin/env bash
# One package format for both systems: lvtool (Linux) builds the demo saver for Windows with
# `build-saver --engine lvcsaver.exe` from the demo's files. The saver must be the Windows engine
# followed by the very package the Linux demo saver carries, and must run under Wine: an unknown
# switch and the password change (which NT-based Windows lacks) end at once with exit code 0.
# Usage: windows_saver_test.sh LVTOOL WINE_RUN LVCSAVER_EXE
set -uo pipefail
lvtool=$1 wine_run=$2 engine=$3
[ -x "$lvtool" ] || { echo "SKIP: no Linux lvtool at $lvtool (build the Linux build first)"; exit 77; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

"$lvtool" make-demo "$scratch/demo" --size 320x200 >/dev/null || fail "make-demo failed"
cd "$scratch/demo"
"$lvtool" build-saver "$scratch/Demo.scr" --engine "$engine" --settings settings.ini \
  harbour.lvp winter.lvp forest.jpg theme.mid surf.wav >/dev/null || fail "build-saver failed"

[ "$(head -c 2 "$scratch/Demo.scr")" = MZ ] || fail "the saver does not start as a Windows program"
cmp -s "$engine" <(head -c "$(stat -c %s "$engine")" "$scratch/Demo.scr") ||
  fail "the saver does not start with the engine"
linux_engine=$(dirname "$lvtool")/lvcsaver
cmp -s <(tail -c +$(($(stat -c %s "$engine") + 1)) "$scratch/Demo.scr") \
  <(tail -c +$(($(stat -c %s "$linux_engine") + 1)) Demo.scr) ||
  fail "the Windows saver's package differs from the Linux saver's"

for switch in /x /a; do
  timeout 60 "$wine_run" "$scratch/Demo.scr" $switch 0 >/dev/null 2>&1
  status=$?
  [ "$status" -eq 0 ] || fail "Demo.scr $switch ended with exit code $status"
done
echo "the Windows demo saver carries the Linux package and runs under Wine"

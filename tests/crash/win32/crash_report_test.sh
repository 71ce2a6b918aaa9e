#!/usr/bin/env bash
# The crash reporter on Windows, under Wine: PROBE fails (an escaped exception or an access
# violation); it must end with exit code 70 and name its report on standard error, and the
# report, in %LOCALAPPDATA%\lorvane\, must hold the error and a stack that leads to FUNCTION.
# Usage: crash_report_test.sh WINE_RUN PROBE EXPECTED_ERROR FUNCTION
set -uo pipefail
wine_run=$1 probe=$2 expected=$3 function=$4
# The prefix wine-run.sh uses, whose C: drive holds the report.
export WINEPREFIX=${WINEPREFIX:-$(dirname "$wine_run")/../build-windows/wineprefix}
stderr=$(mktemp)
report=
trap 'rm -f "$stderr" "$report"' EXIT
"$wine_run" "$probe" "$expected" 2>"$stderr"
status=$?
fail() { echo "FAIL: $*"; cat "$stderr"; exit 1; }
[ "$status" -eq 70 ] || fail "exit code $status, not 70"
named=$(sed -n 's/.*a crash report was written to \(C:.*lorvane.*\.txt\).*/\1/p' "$stderr" | tr -d '\r')
[ -n "$named" ] || fail "standard error names no report under %LOCALAPPDATA%\\lorvane"
report="$WINEPREFIX/drive_c/$(printf '%s' "${named#C:\\}" | tr '\\' /)"
[ -f "$report" ] || fail "no report at $report"
grep -q "^Error: .*$expected" "$report" || fail "the report does not hold the error"
# Frames without a name give their place in the program, which addr2line resolves.
program=$(basename "$probe")
functions=$(sed -n "s/.* $program+\(0x[0-9a-f]*\).*/\1/p" "$report" | while read -r offset; do
  printf '0x%x\n' $((0x140000000 + offset))
done | x86_64-w64-mingw32-addr2line -f -C -e "$probe")
grep -q "$function" "$report" <(echo "$functions") ||
  { cat "$report"; fail "the stack does not lead to $function"; }
echo "crash report $named: $(head -1 "$report")"

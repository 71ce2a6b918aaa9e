#!/usr/bin/env bash
# The manual pages render without a warning, and lvtool(1) shows every command with the usage
# its --help prints, so the page and the program cannot drift apart.
#
# usage: man_pages_test.sh LVTOOL MAN_FOLDER
set -euo pipefail
lvtool=$1
pages=$2
fail() { echo "FAILED: $*"; exit 1; }

for page in "$pages/lvtool.1" "$pages/lvcsaver.6"; do
  warnings=$(man --warnings -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$page renders with warnings: $warnings"
done

# Wide enough that no usage line wraps, and no hyphens put into words.
rendered=$(MANWIDTH=1000 man --no-hyphenation --no-justification -l "$pages/lvtool.1" 2>/dev/null |
           sed 's/^ *//')
commands=$("$lvtool" --help | awk '/^Commands:/ { on = 1; next } on && /^  [a-z]/ { print $1 }')
[ -n "$commands" ] || fail "lvtool --help lists no commands"
for command in $commands; do
  usage=$("$lvtool" "$command" --help | sed -n 's/^usage: //p' | head -n 1)
  grep -qxF -- "$usage" <<<"$rendered" || fail "lvtool.1 does not show '$usage'"
done
for section in SYNOPSIS DESCRIPTION COMMANDS FILES "EXIT STATUS"; do
  grep -qx "$section" <<<"$rendered" || fail "lvtool.1 has no $section section"
done
echo "both pages render; lvtool.1 shows all $(wc -w <<<"$commands") commands"

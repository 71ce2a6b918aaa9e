#!/usr/bin/env bash
# Builds the Debian packages, installs them on this machine, checks the installed programs and
# removes them again, failing when any file of theirs is left behind. Needs root or sudo; the
# daemon's settings program runs as an ordinary user (created on first use), as it must.
#
# usage: scripts/check-package.sh [BUILD]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
HostUser=lvcsaver-host

run_as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}
fail() { echo "FAILED: $*"; exit 1; }

bash scripts/package.sh "$build"
scratch=$(mktemp -d)
chmod 755 "$scratch"
installed=no
xvfb=
cleanup() {
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
  if [ "$installed" = yes ]; then
    run_as_root apt-get remove -y -qq lorvane lorvane-dbgsym >/dev/null 2>&1 || true
  fi
  run_as_root rm -rf "$scratch"
}
trap cleanup EXIT

echo "== installing the packages"
run_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
  "$PWD/$build"/packages/lorvane_*.deb "$PWD/$build"/packages/lorvane-dbgsym_*.deb >/dev/null
installed=yes
dpkg-query -L lorvane lorvane-dbgsym | sort -u >"$scratch/files"
grep -qx /usr/bin/lvtool "$scratch/files" || fail "lvtool is not in the package"

# One virtual screen for every run below, open to the ordinary user as well (-ac); its number
# comes from the server itself, so runs of other builds at the same time cannot take it.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -ac 3>"$scratch/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.1; done
[ -s "$scratch/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$scratch/display")"

echo "== the installed programs"
engine=/usr/libexec/lorvane/lvcsaver
demo=/usr/libexec/xscreensaver/lorvane-demo
lvtool --version
"$engine" --version
readelf -S -W "$engine" | grep -q ' \.debug_' && fail "$engine carries debug sections"
lvtool make-demo "$scratch/demo" --size 320x200 >/dev/null
lvtool build-saver "$scratch/Own.scr" "$scratch/demo/forest.jpg" >/dev/null
cmp -n "$(stat -c %s "$engine")" "$engine" "$scratch/Own.scr" ||
  fail "build-saver did not start the saver with the installed engine"
engine_size=$(stat -c %s "$engine")
demo_size=$(stat -c %s "$demo")
echo "engine $engine_size bytes, demo saver $demo_size bytes, its package $((demo_size - engine_size)) bytes"
cmp -n "$engine_size" "$engine" "$demo" || fail "the demo hack is not the installed engine plus a package"

echo "== the demo hack for 3 s on a virtual screen"
mkdir -p "$scratch/run" && chmod 700 "$scratch/run"
status=0
XDG_RUNTIME_DIR="$scratch/run" SDL_AUDIODRIVER=dummy \
  timeout --foreground --preserve-status -s TERM 3 "$demo" --root || status=$?
[ "$status" -eq 0 ] || fail "the demo hack ended with status $status"
[ -z "$(ls -A "$scratch/run")" ] || fail "the demo hack left files: $(ls -A "$scratch/run")"

echo "== a crash report names functions with the debug package installed"
status=0
XDG_STATE_HOME="$scratch/state" XDG_RUNTIME_DIR="$scratch/run" QT_QPA_PLATFORM=offscreen \
  "$engine" /s 2>/dev/null || status=$?
[ "$status" -eq 70 ] || fail "the bare engine's show ended with $status, not 70"
report=$(ls "$scratch"/state/lvcsaver/crash-*.txt)
grep -q 'lv::ExtractProject' "$report" || fail "the crash report names no function: $(cat "$report")"

echo "== install-hack with the daemon's settings program"
id "$HostUser" >/dev/null 2>&1 || run_as_root useradd -m "$HostUser"
home="$scratch/home"
mkdir -p "$home"
cp tests/tools/xscreensaver-6.06.txt "$home/.xscreensaver"
run_as_root chown -R "$HostUser" "$home"
run_as_root su "$HostUser" -s /bin/bash -c "HOME='$home' XDG_DATA_HOME='$home/data' \
  lvtool install-hack $demo" >/dev/null
grep -q "\"Lorvane demo\" $demo --root" "$home/.xscreensaver" || fail "no entry for the demo"
# The settings program opens on the chosen hack and reads its description file.
entries=$(awk '/^programs:/ { on = 1; next } on && /\\n\\$/ { n++ } on && !/\\$/ { exit } END { print n }' \
  "$home/.xscreensaver")
run_as_root sed -i "s/^mode:.*/mode:\t\tone/; s/^selected:.*/selected:\t$((entries - 1))/" \
  "$home/.xscreensaver"
run_as_root su "$HostUser" -s /bin/bash -c "cd '$home' && HOME='$home' DISPLAY='$DISPLAY' \
  timeout -s TERM 5 xscreensaver-settings" \
  >"$scratch/settings.log" 2>&1 || true
if grep -i 'lorvane' "$scratch/settings.log"; then fail "xscreensaver-settings warns about the demo"; fi
run_as_root su "$HostUser" -s /bin/bash -c "HOME='$home' XDG_DATA_HOME='$home/data' \
  lvtool uninstall-hack 'Lorvane demo'" >/dev/null
grep -q lorvane "$home/.xscreensaver" && fail "uninstall-hack left the entry"

echo "== an installed saver reads its user settings from the user's configuration folder"
# Settings that untick every picture make a show inside a host's window end with status 1, so
# the status tells which file the saver read; as an ordinary user, who cannot write /usr.
unticked=$'[Setting]\r\nImageMode=2\r\n[Files]\r\n0=\r\n1=\r\n2=\r\n'
as_user_show() {  # SAVER: the status of a 3-second show started as the ordinary user
  local status=0
  run_as_root su "$HostUser" -s /bin/bash -c "HOME='$home' XDG_CONFIG_HOME='$home/config' \
    XDG_RUNTIME_DIR= TMPDIR='$home/tmp' SDL_AUDIODRIVER=dummy DISPLAY='$DISPLAY' \
    timeout --foreground --preserve-status -s TERM 3 '$1' --root" >"$scratch/show.log" 2>&1 || status=$?
  echo "$status"
}
# The home folder belongs to the ordinary user by now.
run_as_root mkdir -p "$home/config/lorvane" "$home/bin" "$home/tmp"
printf '%s' "$unticked" | run_as_root tee "$home/config/lorvane/lorvane-demo.ini" >/dev/null
run_as_root ln -s "$demo" "$home/bin/Demo.scr"
run_as_root chown -R "$HostUser" "$home"
[ "$(as_user_show "$demo")" -eq 1 ] ||
  fail "the installed demo did not read ~/.config/lorvane/lorvane-demo.ini: $(cat "$scratch/show.log")"
# A link in the user's own folder keeps its settings beside the link: none there yet.
[ "$(as_user_show "$home/bin/Demo.scr")" -eq 0 ] || fail "the link read the installed saver's settings: $(cat "$scratch/show.log")"
printf '%s' "$unticked" | run_as_root tee "$home/bin/Demo.ini" >/dev/null
run_as_root chown "$HostUser" "$home/bin/Demo.ini"
[ "$(as_user_show "$home/bin/Demo.scr")" -eq 1 ] || fail "the link did not read bin/Demo.ini: $(cat "$scratch/show.log")"

echo "== removing the packages"
run_as_root apt-get remove -y -qq lorvane lorvane-dbgsym >/dev/null
installed=no
left=()
while read -r path; do
  # Folders the system shares (/usr, /usr/share/...) stay; the packages' own files must go.
  if [ -e "$path" ] && ! [ -d "$path" ]; then left+=("$path"); fi
done <"$scratch/files"
for folder in /usr/libexec/lorvane /usr/share/doc/lorvane; do
  [ -e "$folder" ] && left+=("$folder")
done
[ ${#left[@]} -eq 0 ] || fail "apt-get remove left: ${left[*]}"
dpkg-query -W lorvane 2>/dev/null | grep -q . && dpkg -s lorvane 2>/dev/null | grep -q 'Status: install' &&
  fail "lorvane is still installed"
echo "the packages install, run and remove cleanly"

#!/usr/bin/env bash
# The demo saver under a real host: Debian's xscreensaver daemon on an Xvfb of its own, set up
# with the README's programs: line. Activated, the show must cover the screen with the demo's
# first picture; deactivated, the saver must be gone within 2 s and leave nothing in its
# runtime folder. The daemon refuses to run savers as root, so under root the test runs it as an
# ordinary user, created on first use. Exit code 77 (skipped) where the daemon cannot run here.
#
# usage: xscreensaver_test.sh LVTOOL README
# LV_XSCREENSAVER_SHOT=FILE keeps the screenshot of the show.
set -euo pipefail

Width=640
Height=400
User=lvcsaver-host
# Root mean square difference (0 .. 1) of the screenshot and the picture, both reduced to 32 x 20
# averages so that rain and ripples do not count: the right picture measures about 0.01, the
# demo's other pictures and a black screen about 0.3.
MaxDifference=0.05

skip() { echo "SKIPPED: $*"; exit 77; }
fail() { echo "FAILED: $*"; exit 1; }

if [ "${1:-}" = --as-host-user ]; then
  # ---- second half: runs as the ordinary user, in the scratch folder it was given
  scratch=$2
  cd "$scratch"
  pids=()
  cleanup() {
    # The daemon before its X server.
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
    wait 2>/dev/null || true
  }
  trap cleanup EXIT
  close_enough() { [ -n "$1" ] && awk -v d="$1" -v m="$MaxDifference" 'BEGIN { exit !(d + 0 < m) }'; }

  Xvfb -displayfd 3 -screen 0 "${Width}x${Height}x24" -nolisten tcp 3>display 2>xvfb.log &
  pids+=($!)
  for _ in $(seq 100); do [ -s display ] && break; sleep 0.1; done
  [ -s display ] || skip "Xvfb did not start: $(tail -n 3 xvfb.log)"
  export DISPLAY=":$(cat display)"

  xscreensaver -no-splash -verbose >daemon.log 2>&1 &
  pids+=($!)
  # Up to 30 s: beside the Windows build and its tests the daemon has taken more than 10 s.
  for _ in $(seq 300); do xscreensaver-command -version >/dev/null 2>&1 && break; sleep 0.1; done
  xscreensaver-command -version >/dev/null 2>&1 ||
    skip "the xscreensaver daemon did not start: $(tail -n 5 daemon.log)"

  xscreensaver-command -activate >/dev/null
  saver="$HOME/.local/bin/Demo.scr"
  show=
  for _ in $(seq 100); do
    show=$(pgrep -u "$(id -u)" -f -x "$saver --root" | head -n 1 || true)
    [ -n "$show" ] && break
    sleep 0.1
  done
  [ -n "$show" ] || fail "the daemon started no saver: $(grep -i 'Demo.scr' daemon.log | tail -n 3)"

  # The show must still be there a few seconds on, not only in its first frames.
  sleep 3
  difference=1
  for _ in $(seq 60); do
    kill -0 "$show" 2>/dev/null || fail "the saver ended by itself: $(tail -n 5 daemon.log)"
    import -window root show.png
    convert show.png -scale 32x20! show-small.png
    # compare's exit code only says whether the pictures differ at all.
    difference=$( (compare -metric RMSE show-small.png picture-small.png null: 2>&1 || true) |
                 sed -n 's/.*(\(.*\)).*/\1/p')
    close_enough "$difference" && break
    sleep 0.5
  done
  close_enough "$difference" ||
    fail "the screen does not show the demo's first picture (difference $difference)"
  echo "the show covers the screen with the first picture (difference $difference)"

  xscreensaver-command -deactivate >/dev/null
  gone=no
  for _ in $(seq 20); do
    state=$(awk '{ print $3 }' "/proc/$show/stat" 2>/dev/null || echo gone)
    if [ "$state" = gone ] || [ "$state" = Z ]; then gone=yes; break; fi
    sleep 0.1
  done
  [ "$gone" = yes ] || fail "the saver was still running 2 s after the daemon deactivated"
  echo "the saver ended when the daemon deactivated"

  left=$(find "$XDG_RUNTIME_DIR" -mindepth 1)
  [ -z "$left" ] || fail "the runtime folder still holds: $left"
  if grep -E 'lvcsaver:|Sanitizer|runtime error' daemon.log; then
    fail "the saver reported errors (above)"
  fi
  echo "the runtime folder is empty"
  exit 0
fi

# ---- first half: prepares the scratch folder and the user, then runs the second half as them
[ $# -eq 2 ] || { echo "usage: $0 LVTOOL README" >&2; exit 2; }
lvtool=$1
readme=$2
for command in xscreensaver xscreensaver-command Xvfb import convert compare pgrep; do
  command -v "$command" >/dev/null || skip "$command is not installed"
done

programsLine=$(grep -m 1 -E '^ +"[^"]+" +.*Demo\.scr -root +\\n\\$' "$readme" || true)
[ -n "$programsLine" ] || fail "no programs: line for Demo.scr -root in $readme"

scratch=$(mktemp -d "${TMPDIR:-/tmp}/lvcsaver-xscreensaver-XXXXXX")
trap 'rm -rf "$scratch"' EXIT
chmod 755 "$scratch"
home="$scratch/home"
mkdir -p "$home/.local/bin" "$scratch/run" "$scratch/demo"
chmod 700 "$scratch/run"

"$lvtool" make-demo "$scratch/demo" --size "${Width}x${Height}" >/dev/null
cp "$scratch/demo/Demo.scr" "$home/.local/bin/Demo.scr"
# The first picture as the show draws it before any water step, without its rain.
"$lvtool" ripple "$scratch/demo/harbour.lvp" --seed 1 --steps 0 --no-weather \
  --fit "${Width}x${Height}" --keep-aspect --out "$scratch/picture.bmp" >/dev/null
convert "$scratch/picture.bmp" -scale 32x20! "$scratch/picture-small.png"
cp "$0" "$scratch/xscreensaver_test.sh"

cat >"$home/.xscreensaver" <<SETTINGS
timeout: 0:30:00
lock: False
fade: False
unfade: False
splash: False
mode: one
selected: 0
programs: \\
$programsLine

SETTINGS

# Passed on to the saver; a suppressions file is copied where the user can read it.
environment=(HOME="$home" XDG_RUNTIME_DIR="$scratch/run" PATH=/usr/local/bin:/usr/bin:/bin
             SDL_AUDIODRIVER=dummy LANG=C.UTF-8)
for name in ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS; do
  value=${!name:-}
  [ -n "$value" ] || continue
  suppressions=$(sed -n 's/.*suppressions=\([^:]*\).*/\1/p' <<<"$value")
  if [ -n "$suppressions" ] && [ -r "$suppressions" ]; then
    cp "$suppressions" "$scratch/$name.supp"
    value=${value/"$suppressions"/"$scratch/$name.supp"}
  fi
  environment+=("$name=$value")
done

if [ "$(id -u)" -eq 0 ]; then
  PATH=$PATH:/usr/sbin:/sbin
  for command in useradd runuser; do
    command -v "$command" >/dev/null || skip "$command is not installed"
  done
  if ! id -u "$User" >/dev/null 2>&1; then
    useradd --system --user-group --no-create-home --home-dir /nonexistent \
      --shell /usr/sbin/nologin "$User" 2>/dev/null || id -u "$User" >/dev/null 2>&1 ||
      skip "cannot create the user $User to run the daemon as"
  fi
  chown -R "$User:" "$scratch"
  chmod 755 "$scratch"
  run=(runuser -u "$User" --)
else
  run=()
fi

status=0
"${run[@]}" env -i "${environment[@]}" bash "$scratch/xscreensaver_test.sh" --as-host-user \
  "$scratch" || status=$?
[ -n "${LV_XSCREENSAVER_SHOT:-}" ] && [ -f "$scratch/show.png" ] &&
  cp "$scratch/show.png" "$LV_XSCREENSAVER_SHOT"
if [ "$status" -ne 0 ] && [ "$status" -ne 77 ]; then
  echo "--- the daemon's log"
  tail -n 40 "$scratch/daemon.log" 2>/dev/null || true
fi
exit "$status"

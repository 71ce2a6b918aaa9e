#!/usr/bin/env bash
# The Windows engine under Wine, on an Xvfb of its own with a Wine prefix kept in WORK:
#   wine_saver_test.sh CASE LVTOOL LVCSAVER.EXE PREVIEW_HOST.EXE WORK SHOTS
# CASE is one of
#   show            the demo saver's /s: its first picture covers the screen, the water moves
#                   between two screenshots, a key ends it with exit code 0 and the working
#                   folder in the prefix's temporary folder is gone;
#   preview         /p into the window of a small Win32 host: the preview picture covers it
#                   and the saver ends with the host's window;
#   unknown-switch  an unknown switch ends at once with exit code 0 and unpacks nothing.
# LVTOOL is the Linux build's tool, which builds the demo saver around LVCSAVER.EXE.
# Screenshots go to SHOTS. Exit code 77 (skipped) where Wine, Xvfb or ImageMagick are missing.
set -euo pipefail
case_name=$1 lvtool=$2 engine=$3 host=$4 work=$5 shots=$6
for tool in wine xvfb-run xdotool import compare convert; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is missing"; exit 77; }
done
[ -x "$lvtool" ] || { echo "skipped: no Linux lvtool at $lvtool"; exit 77; }

if [ -z "${LV_WINE_TEST_DISPLAY:-}" ]; then
  # Each case gets its own screen; the prefix's server is stopped after it so the next case
  # starts on its own display.
  exec xvfb-run -a -s "-screen 0 640x480x24" env LV_WINE_TEST_DISPLAY=1 bash "$0" "$@"
fi

mkdir -p "$work" "$shots"
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k 2>/dev/null || true' EXIT
[ -d "$WINEPREFIX/drive_c" ] || wine wineboot -i >/dev/null 2>&1
demo="$work/demo"
if [ ! -f "$demo/Demo.scr" ] || [ "$engine" -nt "$demo/Demo.scr" ]; then
  "$lvtool" make-demo "$demo" --size 640x480 --engine "$engine" >/dev/null
fi
temp_root="$WINEPREFIX/drive_c/users"

fail() { echo "FAIL: $*"; exit 1; }
# A preview keeps its unpacked files for the next run; the other cases must leave none.
remove_working_folders() { find "$temp_root" -maxdepth 5 -type d -name Demo -exec rm -rf {} + 2>/dev/null || true; }
# Mean brightness of a picture, 0 ... 1.
mean() { convert "$1" -colorspace Gray -format "%[fx:mean]" info:; }
less_than() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'; }
# Root-mean-square distance of two pictures of one size, 0 ... 1.
rmse() {
  local out
  out=$(compare -metric RMSE "$1" "$2" null: 2>&1) || true
  echo "$out" | sed 's/.*(\(.*\))/\1/'
}
working_folders() { find "$temp_root" -maxdepth 5 -type d -name Demo 2>/dev/null | wc -l; }

run_unknown_switch() {
  local started ended status=0
  remove_working_folders
  started=$(date +%s)
  timeout 60 wine "$demo/Demo.scr" /x 2>"$work/unknown.err" || status=$?
  ended=$(date +%s)
  echo "exit code $status after $((ended - started)) s; stderr: $(cat "$work/unknown.err")"
  [ "$status" -eq 0 ] || fail "exit code $status"
  [ $((ended - started)) -lt 30 ] || fail "it did not end at once"
  [ "$(working_folders)" -eq 0 ] || fail "a working folder was made"
  grep -q "/x" "$work/unknown.err" || fail "standard error does not name the switch"
}

run_show() {
  local show status=0 waited=0
  rm -f "$work"/show-*.png
  remove_working_folders
  wine "$demo/Demo.scr" /s 2>"$work/show.err" &
  show=$!
  # The first picture is there once the screen is no longer black.
  until [ -f "$work/show-0.png" ] && less_than 0.05 "$(mean "$work/show-0.png")"; do
    [ $waited -lt 60 ] || fail "nothing was shown in 60 s"
    kill -0 "$show" 2>/dev/null || fail "the saver ended: $(cat "$work/show.err")"
    sleep 1; waited=$((waited + 1))
    import -window root "$work/show-0.png"
  done
  # Past the first picture's fade-in, two shots a second apart.
  sleep 3
  import -window root "$work/show-1.png"
  sleep 1
  import -window root "$work/show-2.png"
  cp "$work/show-1.png" "$shots/wine-show-1.png"
  cp "$work/show-2.png" "$shots/wine-show-2.png"
  [ "$(working_folders)" -eq 1 ] || fail "no working folder while the show runs"

  # The first picture full screen: the harbour, not black anywhere, far closer to the
  # harbour's still picture than to the winter lake's.
  "$lvtool" render "$demo/harbour.lvp" --seconds 1 --no-weather --seed 1 --out "$work/harbour" >/dev/null
  "$lvtool" render "$demo/winter.lvp" --seconds 1 --no-weather --seed 1 --out "$work/winter" >/dev/null
  local black harbour winter moved
  black=$(convert "$work/show-1.png" -fill white +opaque black -negate -format "%[fx:mean]" info:)
  harbour=$(rmse "$work/show-1.png" "$work/harbour/frame00000.bmp")
  winter=$(rmse "$work/show-1.png" "$work/winter/frame00000.bmp")
  echo "black share $black; distance to the harbour $harbour, to the winter lake $winter"
  less_than "$black" 0.01 || fail "the picture does not cover the screen"
  less_than "$harbour" 0.15 || fail "the screen does not show the harbour"
  less_than "$harbour" "$(awk -v w="$winter" 'BEGIN { print w / 2 }')" || fail "the screen looks like another picture"

  # The water moves: the two shots differ inside the water areas.
  "$lvtool" mask "$demo/harbour.lvp" "$work/mask.bmp" >/dev/null
  moved=$(convert "$work/show-1.png" "$work/show-2.png" -compose difference -composite \
            -threshold 3% \( "$work/mask.bmp" -fill white +opaque black \) \
            -compose multiply -composite -format "%[fx:mean]" info:)
  echo "share of the screen where the water changed: $moved"
  less_than 0.01 "$moved" || fail "the water does not move"

  # A key ends it. Without a window manager the keyboard follows the pointer.
  xdotool mousemove 320 240 key a
  for _ in $(seq 60); do kill -0 "$show" 2>/dev/null || break; sleep 0.5; done
  wait "$show" || status=$?
  echo "exit code $status"
  [ "$status" -eq 0 ] || fail "exit code $status: $(cat "$work/show.err")"
  wineserver -w
  [ "$(working_folders)" -eq 0 ] || fail "the working folder is left behind"
}

run_preview() {
  local hostrun status=0 waited=0 distance
  rm -f "$work/preview.out" "$work/preview.bmp"
  wine "$host" "Z:${demo//\//\\}\\Demo.scr" "Z:${work//\//\\}\\preview.bmp" >"$work/preview.out" 2>&1 &
  hostrun=$!
  until grep -q ready "$work/preview.out" 2>/dev/null; do
    [ $waited -lt 120 ] || fail "the host never saw its window drawn"
    kill -0 "$hostrun" 2>/dev/null || break
    sleep 0.5; waited=$((waited + 1))
  done
  import -window root "$shots/wine-preview.png" || true
  wait "$hostrun" || status=$?
  cat "$work/preview.out"
  [ "$status" -eq 0 ] || fail "the host says the preview failed"
  # The preview picture, stretched without aspect correction over the host's 320 x 240.
  convert "$demo/forest.jpg" -resize '320x240!' "$work/forest-320.png"
  distance=$(rmse "$work/preview.bmp" "$work/forest-320.png")
  echo "distance to the stretched preview picture: $distance"
  less_than "$distance" 0.08 || fail "the host's window does not show the preview picture"
}

case "$case_name" in
  show) run_show ;;
  preview) run_preview ;;
  unknown-switch) run_unknown_switch ;;
  *) echo "unknown case $case_name"; exit 2 ;;
esac
echo "PASS: $case_name"

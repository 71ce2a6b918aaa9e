#!/usr/bin/env bash
# The main job: builds the engine and the authors' tool, makes the demo saver and runs its
# full-screen show. Without a display the show runs on a virtual screen and its first seconds
# are saved as pictures instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)" --target lvcsaver lvtool
demo=build/demo
build/bin/lvtool make-demo "$demo" >/dev/null
echo "demo saver: $demo/Demo.scr"

if [ -n "${DISPLAY:-}" ]; then
  echo "showing it; move the mouse or press a key to end the show"
  exec "$demo/Demo.scr" /s
fi

frames="$demo/frames"
rm -rf "$frames"
mkdir -p "$frames"
seconds=${DEMO_SECONDS:-24}
echo "no display: running the show on a virtual 1280x800 screen for $seconds s"
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  SDL_AUDIODRIVER=dummy "$1" /s >/dev/null 2>&1 &
  show=$!
  sleep 2
  for i in $(seq -w 1 "$2"); do
    import -window root "$3/frame-$i.png"
    sleep 0.5
  done
  kill "$show" 2>/dev/null || true
  wait "$show" 2>/dev/null || true
' demo "$demo/Demo.scr" "$((seconds * 2))" "$frames"
echo "the show's first seconds, two pictures a second: $frames/frame-*.png"

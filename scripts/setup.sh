#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test, benchmark and run the demo.
# Runs as root or through sudo; safe to run again (apt-get skips what is already installed).
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev
  libjpeg62-turbo-dev libgif-dev libstb-dev libpng-dev
  libsdl2-dev libsdl2-mixer-dev
  libgtest-dev libgmock-dev libbenchmark-dev libpixman-1-dev
  libx11-dev libxcb1-dev libboost-stacktrace-dev
  g++-mingw-w64-x86-64-posix wine googletest
  freepats timgm6mb-soundfont
  xvfb xauth imagemagick x11-utils xdotool
  xscreensaver procps
  clang-14 libclang-rt-14-dev
  dpkg-dev file man-db
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

run_as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}
echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
run_as_root apt-get update -qq
run_as_root apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null

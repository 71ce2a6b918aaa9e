#!/usr/bin/env bash
# Builds the Debian packages with CPack: lorvane (programs, demo hack, manual pages, documents)
# and lorvane-dbgsym (the engine's debug file), in BUILD/packages/. An existing build tree is
# reused: only what the packages hold is built, and nothing that is up to date.
#
# usage: scripts/package.sh [BUILD]    (default build/, configured RelWithDebInfo when new)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" -j "$(nproc)" --target lvtool lvcsaver lvtool-window lv_install_files
rm -rf "$build/packages"
(cd "$build" && cpack -G DEB -B "$PWD/packages" >/dev/null)
# CPack's own working folder is not needed once the packages are made.
rm -rf "$build/packages/_CPack_Packages"
ls "$build"/packages/*.deb

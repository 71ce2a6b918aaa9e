#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test: once as shipped, once under
# AddressSanitizer and UndefinedBehaviorSanitizer, plus a compile check of the Windows sources.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs=$(nproc)
# Sound goes nowhere; the Qt tests pick the offscreen platform themselves.
export SDL_AUDIODRIVER=dummy

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLV_SANITIZE=ON \
  -DLV_BUILD_BENCH=OFF -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g"
cmake --build build-sanitize -j "$jobs"

bash scripts/check-windows-build.sh

# The X11 tests (the still preview on a host window) need a display: a virtual one.
echo "== tests under AddressSanitizer and UndefinedBehaviorSanitizer"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp" \
  xvfb-run -a ctest --test-dir build-sanitize -j "$jobs" --output-on-failure
echo "== tests"
xvfb-run -a ctest --test-dir build -j "$jobs" --output-on-failure

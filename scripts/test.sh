#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test: once as shipped, once under
# AddressSanitizer and UndefinedBehaviorSanitizer, once cross-built for Windows and run under
# Wine, plus a short run of every fuzz target and the Debian packages installed, checked and
# removed.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs=$(nproc)
# Sound goes nowhere; the Qt tests pick the offscreen platform themselves.
export SDL_AUDIODRIVER=dummy

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"

# The sanitized build (clang) also holds the fuzz targets.
bash scripts/sanitize-build.sh

# The Windows cross build runs at a lower priority while the Linux tests run: those spend much
# of their time waiting on displays, processes and timers, and leave the processors idle.
echo "== the Windows cross build, beside the Linux tests (log in build-windows/build.log)"
mkdir -p build-windows
nice -n 10 bash scripts/build-windows.sh >build-windows/build.log 2>&1 &
windows_build=$!

# The X11 tests (the still preview on a host window) need a display: a virtual one.
echo "== tests under AddressSanitizer and UndefinedBehaviorSanitizer"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp" \
  xvfb-run -a ctest --test-dir build-sanitize -j "$jobs" --output-on-failure
echo "== tests"
xvfb-run -a ctest --test-dir build -j "$jobs" --output-on-failure
echo "== Windows tests under Wine"
wait "$windows_build" || { tail -n 40 build-windows/build.log; exit 1; }
# The package check, too, mostly waits (on apt and on its own virtual screen), so it runs beside
# the Windows tests; its output follows theirs.
bash scripts/check-package.sh build >build/check-package.log 2>&1 &
package_check=$!
windows_status=0
xvfb-run -a -s "-screen 0 1024x768x24" ctest --test-dir build-windows -j "$jobs" \
  --output-on-failure || windows_status=$?
package_status=0
wait "$package_check" || package_status=$?
echo "== the Debian packages: built, installed, checked and removed"
cat build/check-package.log
[ "$windows_status" -eq 0 ] && [ "$package_status" -eq 0 ]
echo "== each fuzz target for 15 seconds"
bash scripts/fuzz.sh 15

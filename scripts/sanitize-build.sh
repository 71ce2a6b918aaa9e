#!/usr/bin/env bash
# Configures and builds build-sanitize/: clang with AddressSanitizer, UndefinedBehaviorSanitizer
# and libFuzzer's coverage instrumentation. It holds both the sanitized test suite and the fuzz
# targets. Builds the given targets, or everything.
# Usage: scripts/sanitize-build.sh [TARGET...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cc=$(command -v clang-14 || command -v clang)
cxx=$(command -v clang++-14 || command -v clang++)
cmake -S "$root" -B "$root/build-sanitize" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_COMPILER="$cc" -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
  -DLV_BUILD_FUZZERS=ON >/dev/null
if [ $# -gt 0 ]; then
  cmake --build "$root/build-sanitize" -j "$(nproc)" --target "$@"
else
  cmake --build "$root/build-sanitize" -j "$(nproc)"
fi

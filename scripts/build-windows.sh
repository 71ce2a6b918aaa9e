#!/usr/bin/env bash
# Cross-builds the Windows programs with MinGW-w64 into build-windows/: the engine
# (lvcsaver.exe), the core test program (lv_core_tests.exe) and the helpers its tests run.
# Extra arguments name the targets to build instead.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build-windows -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DLV_BUILD_BENCH=OFF "${launcher[@]}"
if [ $# -gt 0 ]; then
  cmake --build build-windows -j "$jobs" --target "$@"
else
  cmake --build build-windows -j "$jobs"
fi

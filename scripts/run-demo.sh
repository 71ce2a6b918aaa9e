#!/usr/bin/env bash
# The main job: builds the engine and the authors' tool, makes a sample saver and shows what
# the engine reads from it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)" --target lvcsaver lvtool
out=build/demo
mkdir -p "$out"
echo "demo: no sample saver yet"

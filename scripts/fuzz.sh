#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ and runs each for SECONDS (default 30),
# starting from a copy of fuzz/corpus/<target>/ plus the crash inputs in fuzz/regressions/.
# Fails on the first target that crashes, leaks, hangs or trips a sanitizer; the input that did
# it is left in build-fuzz/artifacts/.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
shift || true
build=$root/build-fuzz

cc=$(command -v clang-14 || command -v clang)
cxx=$(command -v clang++-14 || command -v clang++)
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER="$cc" -DCMAKE_CXX_COMPILER="$cxx" -DLV_BUILD_FUZZERS=ON >/dev/null

# Input size limits fitted to what each reader meets in practice.
declare -A max_len=(
  [fuzz_container]=16384
  [fuzz_lvc_project]=8192
  [fuzz_profile]=8192
  [fuzz_image_package]=16384
  [fuzz_picture]=16384
  [fuzz_forms]=32768
)
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_container fuzz_lvc_project fuzz_profile fuzz_image_package fuzz_picture fuzz_forms)

cmake --build "$build" -j2 --target "${targets[@]}"

mkdir -p "$build/artifacts"
for t in "${targets[@]}"; do
  work=$build/corpus/$t
  mkdir -p "$work"
  seeds=("$root/fuzz/corpus/$t")
  [ -d "$root/fuzz/regressions/$t" ] && seeds+=("$root/fuzz/regressions/$t")
  echo "fuzz: $t for ${seconds}s"
  if ! "$build/bin/$t" "$work" "${seeds[@]}" -max_len="${max_len[$t]:-16384}" \
      -rss_limit_mb=2048 -timeout=10 -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$build/artifacts/$t-" >"$build/$t.log" 2>&1; then
    tail -n 60 "$build/$t.log"
    echo "fuzz: $t FAILED (log $build/$t.log, inputs in $build/artifacts/)" >&2
    exit 1
  fi
  grep -E '^#[0-9]+.*DONE|^stat::(number_of_executed_units|peak_rss_mb)' "$build/$t.log"
done
echo "fuzz: all targets ran ${seconds}s without a finding"

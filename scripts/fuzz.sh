#!/usr/bin/env bash
# Builds the libFuzzer targets (in build-sanitize/, see sanitize-build.sh) and runs each for
# SECONDS (default 30), as many at once as there are cores, starting from a copy of
# fuzz/corpus/<target>/ plus the inputs in fuzz/regressions/<target>/.
# Fails when a target crashes, leaks, hangs or trips a sanitizer; the input that did it is left
# in build-sanitize/fuzz/artifacts/ and the target's log beside it.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
shift || true
all=(fuzz_container fuzz_lvc_project fuzz_profile fuzz_image_package fuzz_picture fuzz_forms)
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=("${all[@]}")

bash "$root/scripts/sanitize-build.sh" "${targets[@]}"
build=$root/build-sanitize
out=$build/fuzz
mkdir -p "$out/artifacts"

# Input size limits fitted to what each reader meets in practice.
declare -A max_len=(
  [fuzz_container]=16384
  [fuzz_lvc_project]=8192
  [fuzz_profile]=8192
  [fuzz_image_package]=16384
  [fuzz_picture]=16384
  [fuzz_forms]=32768
)

run_target() {
  local t=$1 work=$out/corpus/$1
  local seeds=("$root/fuzz/corpus/$t")
  [ -d "$root/fuzz/regressions/$t" ] && seeds+=("$root/fuzz/regressions/$t")
  mkdir -p "$work"
  if ASAN_OPTIONS=detect_leaks=1 "$build/bin/$t" "$work" "${seeds[@]}" \
      -max_len="${max_len[$t]:-16384}" -rss_limit_mb=2048 -timeout=10 \
      -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$out/artifacts/$t-" >"$out/$t.log" 2>&1; then
    echo ok >"$out/$t.status"
  else
    echo failed >"$out/$t.status"
  fi
}

echo "fuzz: ${targets[*]} for ${seconds}s each, $(nproc) at a time"
for t in "${targets[@]}"; do
  rm -f "$out/$t.status"
  while [ "$(jobs -rp | wc -l)" -ge "$(nproc)" ]; do wait -n || true; done
  run_target "$t" &
done
wait

failed=0
for t in "${targets[@]}"; do
  if [ "$(cat "$out/$t.status" 2>/dev/null)" = ok ]; then
    echo "fuzz: $t: $(grep -E '^stat::number_of_executed_units' "$out/$t.log" | awk '{print $2}') runs," \
      "peak $(grep -E '^stat::peak_rss_mb' "$out/$t.log" | awk '{print $2}') MB," \
      "corpus $(find "$out/corpus/$t" -type f | wc -l) inputs"
  else
    tail -n 60 "$out/$t.log"
    echo "fuzz: $t FAILED (log $out/$t.log, inputs in $out/artifacts/)" >&2
    failed=1
  fi
done
[ "$failed" = 0 ] || exit 1
echo "fuzz: all targets ran ${seconds}s without a finding"

#!/usr/bin/env bash
# Whole-program load of a show: runs each saver's show (/s) on its own Xvfb screen and reports
# the saver's CPU time as a share of one core, its peak resident memory and its start-up time.
#
#   scripts/show-load.sh [--size WxH] [--seconds N] [--settle N] [--runs N] SAVER...
#   scripts/show-load.sh --make-stills OUT [--lvtool PATH]
#
# CPU share: utime + stime of the saver (/proc/PID/stat) over N seconds, taken after the show
# has settled, divided by the wall time between the two readings. Peak memory: VmHWM of
# /proc/PID/status at the end of the run (the peak over the whole run, start-up included).
# Start-up: from exec to the first frame, which is when the show first writes its counters
# (LVCSAVER_STATS, written right after the first pass has drawn). Passes per second, from the
# same counters (written once a second), tell whether the show kept its pace of about 30: on a
# busy machine a show may use less CPU only because it drew fewer frames.
#
# With several savers the runs are interleaved (run 1 of each, then run 2 of each, ...), so
# savers compared on a busy machine share its load; the medians of the runs are printed last.
#
# --make-stills builds the still-picture show: 16 photograph-like JPEGs of 3000 x 2000 pixels,
# 2 s each, cross-faded, stretched proportionally, in list order.
set -euo pipefail

usage() {
    sed -n '2,/^set -euo/p' "$0" | sed -e '$d' -e 's/^# \{0,1\}//'
    cat <<'EOF'
Options:
  --size WxH     the Xvfb screen (default 1920x1080)
  --seconds N    measured time per run (default 24)
  --settle N     time before the measurement starts (default 6)
  --runs N       runs per saver (default 3)
  --lvtool PATH  lvtool for --make-stills (default build/bin/lvtool; its lvcsaver is the engine)
  --help         this text
EOF
}

size=1920x1080 seconds=24 settle=6 runs=3 make_stills="" lvtool=""
savers=()
while (($#)); do
    case $1 in
        --help | -h) usage; exit 0 ;;
        --size) size=${2:?--size needs WxH}; shift 2 ;;
        --seconds) seconds=${2:?--seconds needs a number}; shift 2 ;;
        --settle) settle=${2:?--settle needs a number}; shift 2 ;;
        --runs) runs=${2:?--runs needs a number}; shift 2 ;;
        --make-stills) make_stills=${2:?--make-stills needs OUT}; shift 2 ;;
        --lvtool) lvtool=${2:?--lvtool needs PATH}; shift 2 ;;
        -*) echo "show-load: unknown option $1 (see --help)" >&2; exit 2 ;;
        *) savers+=("$1"); shift ;;
    esac
done
[[ $size =~ ^([0-9]+)x([0-9]+)$ ]] || { echo "show-load: --size must be WxH, not $size" >&2; exit 2; }
for n in "$seconds" "$settle" "$runs"; do
    [[ $n =~ ^[0-9]+$ && $n -gt 0 ]] || { echo "show-load: '$n' is not a positive number" >&2; exit 2; }
done

if [[ -n $make_stills ]]; then
    lvtool=${lvtool:-$(dirname "$0")/../build/bin/lvtool}
    [[ -x $lvtool ]] || { echo "show-load: no lvtool at $lvtool" >&2; exit 2; }
    work=$(mktemp -d "${TMPDIR:-/tmp}/lvstills.XXXXXX")
    trap 'rm -rf "$work"' EXIT
    pictures=()
    for i in $(seq -w 1 16); do
        # A blurred fractal plasma: smooth gradients and fine detail, as a photograph has.
        convert -size 3000x2000 -seed "$i" plasma:fractal -blur 0x2 -quality 90 "$work/photo$i.jpg"
        pictures+=("$work/photo$i.jpg")
    done
    cat >"$work/settings.ini" <<'EOF'
[General]
ProductName=Stills
[Default]
Stretch=1
Proportional=1
Sound=0
Music=0
Animation=1
Random=1
Duration=2
Transition=1
Speed=100
ShowImageMode=1
EOF
    "$lvtool" build-saver "$make_stills" --settings "$work/settings.ini" "${pictures[@]}" >/dev/null
    echo "show-load: built $make_stills"
    exit 0
fi

((${#savers[@]})) || { usage >&2; exit 2; }
for saver in "${savers[@]}"; do
    [[ -x $saver ]] || { echo "show-load: $saver is not an executable saver" >&2; exit 2; }
done

ticks_per_second=$(getconf CLK_TCK)
work=$(mktemp -d "${TMPDIR:-/tmp}/lvload.XXXXXX")
xvfb_pid="" saver_pid=""
stop() {
    local pid=$1
    [[ -n $pid ]] && kill -0 "$pid" 2>/dev/null || return 0
    kill -TERM "$pid" 2>/dev/null || true
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || return 0; sleep 0.1; done
    kill -KILL "$pid" 2>/dev/null || true
}
cleanup() {
    stop "$saver_pid"
    stop "$xvfb_pid"
    rm -rf "$work"
}
trap cleanup EXIT

now_ms() { echo $(($(date +%s%N) / 1000000)); }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

passes() { sed -n 's/^passes=//p' "$1" 2>/dev/null | tail -1; }

# One run of SAVER; prints "CPU_PERCENT PEAK_MB STARTUP_MS PASSES_PER_SECOND".
measure() {
    local saver=$1 run_dir
    run_dir=$(mktemp -d "$work/run.XXXXXX")
    mkdir -m 700 "$run_dir/tmp" "$run_dir/xdg"
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$run_dir/display" >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do [[ -s $run_dir/display ]] && break; sleep 0.05; done
    [[ -s $run_dir/display ]] || { echo "show-load: Xvfb did not start" >&2; exit 1; }
    local display stats=$run_dir/stats.txt start first=""
    display=:$(head -1 "$run_dir/display")
    start=$(now_ms)
    DISPLAY=$display SDL_AUDIODRIVER=dummy LVCSAVER_STATS=$stats TMPDIR=$run_dir/tmp \
        XDG_RUNTIME_DIR=$run_dir/xdg XDG_CONFIG_HOME=$run_dir/xdg XDG_STATE_HOME=$run_dir/xdg \
        "$saver" /s >"$run_dir/show.log" 2>&1 &
    saver_pid=$!
    while [[ -z $first ]]; do
        kill -0 "$saver_pid" 2>/dev/null || { echo "show-load: $saver ended early:" >&2; cat "$run_dir/show.log" >&2; exit 1; }
        [[ -e $stats ]] && first=$(now_ms)
        sleep 0.005
    done
    sleep "$settle"
    local t0 c0 p0 t1 c1 p1 peak
    t0=$(now_ms) c0=$(cpu_ticks "$saver_pid") p0=$(passes "$stats")
    sleep "$seconds"
    t1=$(now_ms) c1=$(cpu_ticks "$saver_pid") p1=$(passes "$stats")
    peak=$(awk '/^VmHWM:/ {print $2}' "/proc/$saver_pid/status")
    stop "$saver_pid"; saver_pid=""
    stop "$xvfb_pid"; xvfb_pid=""
    awk -v c=$((c1 - c0)) -v hz="$ticks_per_second" -v ms=$((t1 - t0)) -v kb="$peak" \
        -v up=$((first - start)) -v p=$((${p1:-0} - ${p0:-0})) \
        'BEGIN { printf "%.1f %.1f %d %.1f\n", 100 * c / hz / (ms / 1000), kb / 1024, up, p / (ms / 1000) }'
}

median() { sort -g | awk '{v[NR] = $1} END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

echo "show-load: ${size} screen, ${settle} s settle, ${seconds} s measured, ${runs} run(s) each"
printf '%-4s %8s %10s %11s %9s  %s\n' run "cpu %" "peak MB" "start ms" passes/s saver
for run in $(seq "$runs"); do
    for i in "${!savers[@]}"; do
        measure "${savers[$i]}" >"$work/last"
        read -r cpu mb up fps <"$work/last"
        printf '%-4s %8s %10s %11s %9s  %s\n' "$run" "$cpu" "$mb" "$up" "$fps" "${savers[$i]}"
        echo "$cpu $mb $up $fps" >>"$work/results.$i"
    done
done
# The median of column $1 of saver $2's results.
median_of() { cut -d' ' -f"$1" "$work/results.$2" | median; }
echo "medians:"
for i in "${!savers[@]}"; do
    printf '     %8s %10s %11s %9s  %s\n' "$(median_of 1 "$i")" "$(median_of 2 "$i")" \
        "$(median_of 3 "$i")" "$(median_of 4 "$i")" \
        "${savers[$i]}"
done

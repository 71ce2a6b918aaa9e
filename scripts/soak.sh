#!/usr/bin/env bash
# Soak test: runs a show for SECONDS (default 600) with damaged pictures among good ones,
# the picture changing at every pass and music on, and checks that it keeps running, changes
# pictures thousands of times and that its resident memory stops growing after the first minute.
#
#   scripts/soak.sh [SECONDS]
#
# Environment: SOAK_SIZE (picture size, default 640x400), SOAK_MIN_CHANGES (default 2 per
# second of the run), SOAK_MAX_GROWTH_KB (default 5120), SOAK_KEEP=1 keeps the work folder,
# SOAK_NO_BUILD=1 skips the build, SOAK_LVTOOL names the lvtool to use (with its lvcsaver
# beside it). The show runs on Qt's offscreen platform (SOAK_XVFB=1: under xvfb-run instead)
# with SDL's dummy audio driver.
#
# Counting: the show writes its pass, change and dropped-error counters to the file named by
# LVCSAVER_STATS once a second. The show is ended with SIGTERM (SIGKILL if it has not ended a few
# seconds later); the counters are read before that.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
seconds=${1:-600}
size=${SOAK_SIZE:-640x400}
min_changes=${SOAK_MIN_CHANGES:-$((seconds * 2))}
max_growth_kb=${SOAK_MAX_GROWTH_KB:-5120}
sample_every=5
# Memory settles after the first minute; shorter runs take their baseline half way.
baseline_at=$((seconds >= 120 ? 60 : seconds / 2))

if [[ "${SOAK_NO_BUILD:-}" != 1 ]]; then
    cmake -S . -B build -G Ninja >/dev/null
    cmake --build build --target lvcsaver lvtool
fi
lvtool=${SOAK_LVTOOL:-$root/build/bin/lvtool}

work=$(mktemp -d "${TMPDIR:-/tmp}/lvsoak.XXXXXX")
pid=""
cleanup() {
    if [[ -n "$pid" ]] && kill -0 "$pid" 2>/dev/null; then kill -KILL "$pid" 2>/dev/null || true; fi
    if [[ "${SOAK_KEEP:-}" == 1 ]]; then echo "work folder kept: $work"; else rm -rf "$work"; fi
}
trap cleanup EXIT

# Private folders for the show's unpacked files and settings, removed with the work folder.
mkdir -m 700 "$work/tmp" "$work/run" "$work/config" "$work/data"
demo=$work/demo
"$lvtool" make-demo "$demo" --size "$size" >/dev/null

# Damaged pictures: a truncated package, a JPEG with its coded data overwritten, a package whose
# first wave record has Cycle 0, and a listed name whose file is missing (gone.jpg is packed but
# its file-list key is renamed to lost.jpg in the finished saver, so the show looks for a file
# that was never unpacked).
python3 - "$demo" <<'PY'
import pathlib, struct, sys
d = pathlib.Path(sys.argv[1])
lvp = (d / "harbour.lvp").read_bytes()
(d / "broken.lvp").write_bytes(lvp[: len(lvp) // 2])
jpg = bytearray((d / "forest.jpg").read_bytes())
for i in range(len(jpg) // 3, len(jpg) - 2):
    jpg[i] = (i * 37 + 11) & 0xFF
(d / "corrupt.jpg").write_bytes(bytes(jpg))
# harbour's first wave: Amplitude 4, WaveCount 14, PhaseStep 10, Direction 1, H/V/P on, Cycle 360.
record = struct.pack("<4i4Bi", 4, 14, 10, 1, 1, 1, 1, 0, 360)
at = lvp.find(record)
if at < 0 or lvp.find(record, at + 1) >= 0:
    sys.exit("soak: cannot find harbour.lvp's first wave record")
patched = bytearray(lvp)
patched[at + 20 : at + 24] = struct.pack("<i", 0)
(d / "zerocycle.lvp").write_bytes(bytes(patched))
(d / "gone.jpg").write_bytes((d / "forest.jpg").read_bytes())
PY

sed -e 's/^Duration=.*/Duration=0/' -e 's/^Transition=.*/Transition=0/' \
    -e 's/^Music=.*/Music=1/' "$demo/settings.ini" >"$work/soak.ini"
saver=$work/Soak.scr
"$lvtool" build-saver "$saver" --settings "$work/soak.ini" \
    "$demo/harbour.lvp" "$demo/winter.lvp" "$demo/forest.jpg" "$demo/broken.lvp" \
    "$demo/corrupt.jpg" "$demo/zerocycle.lvp" "$demo/gone.jpg" \
    "$demo/theme.mid" "$demo/surf.wav" >/dev/null
python3 - "$saver" <<'PY'
import sys
p = sys.argv[1]
b = bytearray(open(p, "rb").read())
key = b"gone.jpg=1\r\n"
at = b.find(key)
if at < 0 or b.find(key, at + 1) >= 0:
    sys.exit("soak: cannot find gone.jpg in the saver's file list")
b[at : at + len(key)] = b"lost.jpg=1\r\n"
open(p, "wb").write(bytes(b))
PY

stats=$work/stats.txt
stat_value() { sed -n "s/^$1=//p" "$stats" 2>/dev/null | tail -1; }
rss_kb() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status" 2>/dev/null || true; }

export SDL_AUDIODRIVER=dummy LVCSAVER_STATS=$stats TMPDIR=$work/tmp XDG_RUNTIME_DIR=$work/run \
    XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
if [[ "${SOAK_XVFB:-}" == 1 ]]; then
    xvfb-run -a "$saver" /s >"$work/show.log" 2>&1 &
    wrapper=$!
    for _ in $(seq 50); do
        pid=$(pgrep -P "$(pgrep -P "$wrapper" -n || echo 0)" -f "$saver" -n || true)
        [[ -n "$pid" ]] && break
        sleep 0.2
    done
    [[ -n "$pid" ]] || { echo "soak: FAIL: the show did not start"; exit 1; }
else
    QT_QPA_PLATFORM=offscreen "$saver" /s >"$work/show.log" 2>&1 &
    pid=$!
fi

echo "soak: show pid $pid, $seconds s, pictures $size"
start=$(date +%s)
rss_first="" rss_base="" rss_last="" rss_max=0 alive=1
while :; do
    now=$(date +%s)
    elapsed=$((now - start))
    if ! kill -0 "$pid" 2>/dev/null; then alive=0; break; fi
    rss=$(rss_kb "$pid")
    if [[ -n "$rss" ]]; then
        [[ -z "$rss_first" ]] && rss_first=$rss
        [[ -z "$rss_base" && $elapsed -ge $baseline_at ]] && rss_base=$rss
        rss_last=$rss
        ((rss > rss_max)) && rss_max=$rss
        printf 'soak: %4d s  rss %6d kB  changes %s\n' "$elapsed" "$rss" "$(stat_value changes)"
    fi
    ((elapsed >= seconds)) && break
    sleep $((seconds - elapsed < sample_every ? seconds - elapsed : sample_every))
done
sleep 1.2  # let the last counters reach the file
passes=$(stat_value passes) changes=$(stat_value changes) dropped=$(stat_value dropped_errors)
if ((alive)); then
    # A show that has not ended a few seconds after SIGTERM is hung: kill it.
    kill -TERM "$pid" 2>/dev/null || true
    for _ in 1 2 3 4 5 6 7 8 9 10; do kill -0 "$pid" 2>/dev/null || break; sleep 0.3; done
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
fi
pid=""

fail=0
echo "soak: passes ${passes:-?}, picture changes ${changes:-?}, dropped errors ${dropped:-?}"
echo "soak: rss first ${rss_first:-?} kB, at ${baseline_at} s ${rss_base:-?} kB," \
     "at end ${rss_last:-?} kB, max ${rss_max} kB"
if ((!alive)); then
    echo "soak: FAIL: the show ended by itself; its output:"; tail -20 "$work/show.log"; fail=1
fi
if [[ -z "$changes" ]] || ((changes < min_changes)); then
    echo "soak: FAIL: fewer than $min_changes picture changes"; fail=1
fi
if [[ -n "$rss_base" && -n "$rss_last" ]]; then
    growth=$((rss_last - rss_base))
    echo "soak: rss growth after ${baseline_at} s: ${growth} kB (limit ${max_growth_kb} kB)"
    ((growth < max_growth_kb)) || { echo "soak: FAIL: memory keeps growing"; fail=1; }
else
    echo "soak: FAIL: no memory samples"; fail=1
fi
((fail)) && exit 1
echo "soak: PASS"

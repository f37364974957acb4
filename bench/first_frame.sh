#!/bin/bash
# Start to playing, beside mpv: from starting the process to the engine's Playing state (Korvane's
# "engine state Engine::Playing" log line) and to mpv's playing message (mpv --no-config --vo=x11
# --ao=null --term-playing-msg=...), on the same 720p H.264 clip, taken in turn. Goal: Korvane's
# median at most mpv's. Exits non-zero when it is missed.
#   bench/first_frame.sh [BIN_DIR] [RUNS]
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
korvane_bin=$(cd "${1:-$root/build/bin}" && pwd)
runs=${2:-7}
. "$root/bench/lib.sh"
bench_start_session
clip=$(bench_clip first 1280x720 10)
first_line="$root/bench/first_line.py"

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# The runs share one settings folder, as a user's starts do; the unmeasured first run makes it.
# The player of each run has ended before the next starts.
korvane_once() {
    local home=$bench_work/first-home
    mkdir -p "$home/config" "$home/run" && chmod 700 "$home/run"
    FIRST_LINE_LOG=$bench_work/korvane-$1.log XDG_CONFIG_HOME=$home/config \
        XDG_RUNTIME_DIR=$home/run HOME=$home QT_QPA_PLATFORM=xcb \
        QT_LOGGING_RULES="korvane.*=true" KORVANE_AOUT=pulse \
        python3 "$first_line" "engine state .*Playing" 30 "$korvane_bin/korvane" "$clip"
}

mpv_once() {
    python3 "$first_line" "^KORVANE-BENCH-PLAYING" 30 mpv --no-config --vo=x11 --ao=null \
        --term-playing-msg=KORVANE-BENCH-PLAYING "$clip"
}

# One of each first, unmeasured: the clip and the programs come into the page cache.
korvane_once warm >/dev/null
mpv_once >/dev/null
: >"$bench_work/k" >"$bench_work/m"
for i in $(seq "$runs"); do
    korvane_once "$i" >>"$bench_work/k"
    mpv_once >>"$bench_work/m"
done
if grep -q none "$bench_work/k" "$bench_work/m"; then
    echo "a run never reached playing:" >&2
    cat "$bench_work/k" "$bench_work/m" >&2
    tail -20 "$bench_work/korvane-1.log" >&2
    exit 2
fi
k=$(median <"$bench_work/k")
m=$(median <"$bench_work/m")
echo "Start to playing, 720p H.264, median of $runs (s); runs: Korvane $(tr '\n' ' ' <"$bench_work/k")| mpv $(tr '\n' ' ' <"$bench_work/m")"
verdict "start to Playing (s)" "$k" "$m" "$m"
awk -v k="$k" -v m="$m" 'BEGIN { printf "ratio Korvane / mpv: %.2f\n", k / m }'
exit $((bench_failures > 0))

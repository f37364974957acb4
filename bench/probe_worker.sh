#!/bin/sh
# Probe worker against the decoder program, side by side in one run: korvane-probe --thumbs over
# 40 generated 720p AVI clips (MPEG-4 video, MP3 sound), three ways:
#   - the sequential design: a shell loop running the two decoder commands per clip;
#   - korvane-probe on the decoder program (KORVANE_PROBE=program);
#   - korvane-probe on the probe worker (the default).
# Prints each wall time, the ratios to the loop (the worker's goal: 0.15 or lower on two cores)
# and the worker's largest resident memory, sampled every 20 ms (goal: under 150 MB).
#
#   bench/probe_worker.sh [BIN_DIR] [ROUNDS] [CLIPS]
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
bin=${1:-$root/build/bin}
rounds=${2:-3}
clips=${3:-40}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM

ffmpeg -nostdin -v error -y -f lavfi -i testsrc=d=4:s=1280x720:r=25 -f lavfi -i sine=d=4 \
    -c:v mpeg4 -q:v 5 -c:a libmp3lame "$work/master.avi"
i=1
while [ $i -le "$clips" ]; do
    cp "$work/master.avi" "$work/clip$i.avi"
    i=$((i + 1))
done
files=$(ls "$work"/clip*.avi)

now() { date +%s%N; }

loop() {
    for f in $files; do
        ffmpeg -i "file:$f" -analyzeduration 30000 >"$work/capture.txt" 2>&1 || true
        ffmpeg -ss 0.4 -analyzeduration 5M -i "file:$f" -frames:v 1 -an \
            -sws_flags fast_bilinear -s 90x52 -f image2 -y "$work/loop.jpg" >/dev/null 2>&1
    done
}

# Largest VmRSS (kB) of the children of $1 while it runs.
watch_children() {
    peak=0
    while kill -0 "$1" 2>/dev/null; do
        for c in $(cat /proc/"$1"/task/*/children 2>/dev/null); do
            rss=$(awk '/^VmRSS/ { print $2 }' /proc/"$c"/status 2>/dev/null || echo 0)
            [ -n "$rss" ] && [ "$rss" -gt "$peak" ] && peak=$rss
        done
        sleep 0.02
    done
    echo "$peak" >"$work/peak"
}

tool() {
    rm -rf "$work/thumbs"
    # shellcheck disable=SC2086
    env KORVANE_PROBE="$1" "$bin/korvane-probe" --thumbs "$work/thumbs" $files >/dev/null &
    pid=$!
    watch_children $pid &
    watcher=$!
    wait $pid
    wait $watcher
}

best_loop=0
best_program=0
best_worker=0
worker_peak=0
r=1
while [ "$r" -le "$rounds" ]; do
    t0=$(now); loop; t1=$(now)
    tool program; t2=$(now)
    tool worker; t3=$(now)
    peak=$(cat "$work/peak")
    l=$(((t1 - t0) / 1000000)); p=$(((t2 - t1) / 1000000)); w=$(((t3 - t2) / 1000000))
    echo "round $r: shell loop ${l} ms, korvane-probe (program) ${p} ms," \
         "korvane-probe (worker) ${w} ms, worker peak RSS $((peak / 1024)) MiB"
    if [ $best_loop -eq 0 ] || [ $l -lt $best_loop ]; then best_loop=$l; fi
    if [ $best_program -eq 0 ] || [ $p -lt $best_program ]; then best_program=$p; fi
    if [ $best_worker -eq 0 ] || [ $w -lt $best_worker ]; then best_worker=$w; fi
    if [ "$peak" -gt $worker_peak ]; then worker_peak=$peak; fi
    r=$((r + 1))
done
thumbs=$(ls "$work/thumbs" | wc -l)
echo "best of $rounds over $clips clips: loop ${best_loop} ms, program ${best_program} ms," \
     "worker ${best_worker} ms ($thumbs thumbnails)"
awk -v p="$best_program" -v w="$best_worker" -v l="$best_loop" -v m="$worker_peak" 'BEGIN {
    printf "ratio to the loop: program %.2f, worker %.2f (goal 0.15 or lower)\n", p / l, w / l
    printf "worker peak resident memory %.1f MiB (goal under 150 MB)\n", m / 1024 }'

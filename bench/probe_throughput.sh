#!/bin/sh
# Probe throughput: korvane-probe --jobs 2 --thumbs over 40 generated clips, against a plain
# sequential shell loop that runs the same two decoder commands per clip (description, then one
# thumbnail). Prints both wall times and their ratio; the goal is 0.6 or lower on two cores.
#
#   bench/probe_throughput.sh [BIN_DIR] [ROUNDS]
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
bin=${1:-$root/build/bin}
rounds=${2:-3}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM

ff() { ffmpeg -nostdin -v error -y "$@"; }
i=1
while [ $i -le 40 ]; do
    case $((i % 4)) in
        0) ff -f lavfi -i testsrc=d=2:s=160x120:r=25 -f lavfi -i sine=d=2 \
              -c:v libx264 -preset ultrafast -c:a aac "$work/clip$i.mkv" ;;
        1) ff -f lavfi -i testsrc=d=2:s=320x240:r=25 -f lavfi -i sine=d=2 \
              -c:v libx264 -preset ultrafast -c:a aac "$work/clip$i.mp4" ;;
        2) ff -f lavfi -i testsrc=d=2:s=160x120:r=25 -f lavfi -i sine=d=2 \
              -c:v mpeg4 -c:a libmp3lame "$work/clip$i.avi" ;;
        3) ff -f lavfi -i testsrc=d=2:s=320x240:r=25 -f lavfi -i sine=d=2 \
              -c:v libtheora -c:a libvorbis "$work/clip$i.ogg" ;;
    esac
    i=$((i + 1))
done
files=$(ls "$work"/clip*)

now() { date +%s%N; }

loop() {
    for f in $files; do
        ffmpeg -i "file:$f" -analyzeduration 30000 >"$work/capture.txt" 2>&1 || true
        ffmpeg -ss 0.2 -analyzeduration 5M -i "file:$f" -frames:v 1 -an \
            -sws_flags fast_bilinear -s 90x68 -f image2 -y "$work/loop.jpg" >/dev/null 2>&1
    done
}

tool() {
    rm -rf "$work/thumbs"
    # shellcheck disable=SC2086
    "$bin/korvane-probe" --jobs 2 --thumbs "$work/thumbs" $files >/dev/null
}

# 160x120 and 320x240 both fit the thumbnail box as 90x68, as the probe works out.
best_loop=0
best_tool=0
r=1
while [ $r -le "$rounds" ]; do
    t0=$(now); loop; t1=$(now)
    t2=$(now); tool; t3=$(now)
    l=$(((t1 - t0) / 1000000)); t=$(((t3 - t2) / 1000000))
    echo "round $r: shell loop ${l} ms, korvane-probe --jobs 2 ${t} ms"
    if [ $best_loop -eq 0 ] || [ $l -lt $best_loop ]; then best_loop=$l; fi
    if [ $best_tool -eq 0 ] || [ $t -lt $best_tool ]; then best_tool=$t; fi
    r=$((r + 1))
done
thumbs=$(ls "$work/thumbs" | wc -l)
echo "best of $rounds: shell loop ${best_loop} ms, korvane-probe ${best_tool} ms ($thumbs thumbnails)"
awk -v t="$best_tool" -v l="$best_loop" 'BEGIN { printf "ratio %.2f (goal 0.60 or lower)\n", t / l }'

#!/bin/bash
# CPU playing a 1080p H.264 clip full screen for 12 s, beside cvlc (the same libVLC) on the same
# clip, screen and sound server. Goal: Korvane at most 1.05 × cvlc. Exits non-zero when missed.
#   bench/playing_cpu.sh [BIN_DIR] [SECONDS]
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
korvane_bin=$(cd "${1:-$root/build/bin}" && pwd)
seconds=${2:-12}
. "$root/bench/lib.sh"
bench_start_session
clip=$(bench_clip playing 1920x1080 $((seconds + 20)))
bench_playing "$clip" "$seconds"
echo "CPU playing 1080p H.264 full screen, % of one core over $seconds s (screen $bench_screen)"
verdict "playing, CPU %" "$korvane_cpu" "$vlc_cpu" "$(awk -v v="$vlc_cpu" 'BEGIN { printf "%.2f", v * 1.05 }')"
echo "Korvane's busiest threads (clock ticks over the measure): $korvane_threads"
echo "cvlc's busiest threads (clock ticks over the measure):    $vlc_threads"
exit $((bench_failures > 0))

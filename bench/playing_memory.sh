#!/bin/bash
# Resident memory playing a 1080p H.264 clip full screen, beside cvlc (the same libVLC) on the
# same clip, screen and sound server: the largest VmRSS over 12 s of playback. Goal: Korvane at
# most cvlc. Exits non-zero when missed. (Memory over many items: bench/item_memory.sh.)
#   bench/playing_memory.sh [BIN_DIR] [SECONDS]
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
korvane_bin=$(cd "${1:-$root/build/bin}" && pwd)
seconds=${2:-12}
. "$root/bench/lib.sh"
bench_start_session
clip=$(bench_clip memory 1920x1080 $((seconds + 20)))
bench_playing "$clip" "$seconds"
echo "Largest resident memory playing 1080p H.264 full screen over $seconds s, MiB (screen $bench_screen)"
verdict "playing, resident MiB" "$((korvane_rss / 1024))" "$((vlc_rss / 1024))" "$((vlc_rss / 1024))"
echo "Where it lies at the end of the measure, KiB (resident, private dirty, shared, mapping):"
echo "-- Korvane"; head -15 "$bench_work/korvane.smaps"
echo "-- cvlc"; head -15 "$bench_work/vlc.smaps"
# Mappings one program has and the other has not (its own libraries, the X backing store).
awk 'NR == FNR { other[$4] = 1; next } !($4 in other) { s += $1 } END { printf "resident in mappings cvlc has not: %.1f MiB\n", s / 1024 }' \
    "$bench_work/vlc.smaps" "$bench_work/korvane.smaps"
awk 'NR == FNR { other[$4] = 1; next } !($4 in other) { s += $1 } END { printf "resident in mappings Korvane has not: %.1f MiB\n", s / 1024 }' \
    "$bench_work/korvane.smaps" "$bench_work/vlc.smaps"
exit $((bench_failures > 0))

#!/bin/bash
# Resident memory over many items of real playback: the real program, a real X window under a
# window manager (Xvfb + openbox) and a real sound server (PulseAudio on a null sink). A playlist
# of ITEMS one-second 720p H.264/AAC clips is handed to the running player ("*Add", as the file
# manager's "Add To Playlist" does), then played in Continuous / Repeat all. Goal: resident
# memory when item ITEMS starts at most 1.1 × when item 5 starts. Exits non-zero when missed.
#
#   bench/item_memory.sh [BIN_DIR] [ITEMS] [--session]
#
# --session also runs bench_item_memory (the playback session alone, 640x360, shared and fresh
# libVLC instances) for comparison with the figures of earlier runs.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
korvane_bin=$(cd "${1:-$root/build/bin}" && pwd)
items=${2:-200}
session=${3:-}
. "$root/bench/lib.sh"
bench_start_session
clip=$(bench_clip second 1280x720 1)
mkdir -p "$bench_work/list"
for i in $(seq -w 1 "$items"); do
    ln "$clip" "$bench_work/list/item$i.mp4"
done

# Continuous play with Repeat all: a first run writes the settings file, which then gets the
# two modes (the third and fourth lines).
log=$bench_work/korvane.log
korvane_start "$bench_work/first.log"
wid=$(window_of "$korvane_pid") || exit 2
xdotool windowactivate --sync "$wid" 2>/dev/null
xdotool key --clearmodifiers ctrl+x
wait "$korvane_pid"
config=$korvane_home/config/Korvane/Config.cfg
[ -f "$config" ] || { echo "no settings file was written" >&2; exit 2; }
sed -i '3s/.*/ 1 \r/; 4s/.*/ 2 \r/' "$config"

korvane_start "$log"
bench_pids+=("$korvane_pid")
wid=$(window_of "$korvane_pid") || exit 2
before=$(rss_kib "$korvane_pid")
for f in "$bench_work"/list/*.mp4; do
    korvane_env "$korvane_bin/korvane" "$f" '*Add' >/dev/null 2>&1
done
for _ in $(seq 600); do
    [ "$(grep -c 'korvane.playlist: accepted' "$log")" -ge "$items" ] && break
    sleep 0.1
done
taken=$(rss_kib "$korvane_pid")
xdotool windowactivate --sync "$wid" 2>/dev/null
xdotool key --clearmodifiers ctrl+p

# Resident memory as each counted item starts.
declare -A at threads
for n in 1 5 25 50 100 150 "$items"; do at[$n]=; done
started=0
deadline=$((SECONDS + items * 4 + 60))
while [ "$started" -lt "$items" ] && [ $SECONDS -lt $deadline ]; do
    now=$(grep -c 'korvane.playback: playing ' "$log")
    if [ "$now" -gt "$started" ]; then
        started=$now
        if [ -n "${at[$started]+set}" ]; then
            at[$started]=$(rss_kib "$korvane_pid")
            threads[$started]=$(ls "/proc/$korvane_pid/task" | wc -l)
        fi
    fi
    sleep 0.05
done
sleep 0.5
after=$(rss_kib "$korvane_pid")
echo "Resident memory of the player over $items one-second 720p items (MiB)"
echo "  started, nothing loaded: $((before / 1024));  $items entries taken in: $((taken / 1024))"
for n in 1 5 25 50 100 150 "$items"; do
    [ -n "${at[$n]}" ] && echo "  item $n starts: $((at[$n] / 1024))  (threads: ${threads[$n]})"
done
echo "  half a second later: $((after / 1024))"
[ -n "${at[5]}" ] && [ -n "${at[$items]}" ] || { echo "the player did not reach item $items" >&2; tail "$log" >&2; exit 2; }
verdict "item $items / item 5, resident MiB" "$((at[$items] / 1024))" "-" \
    "$(awk -v f="${at[5]}" 'BEGIN { printf "%d", f * 1.1 / 1024 }')"
kill "$korvane_pid"; wait "$korvane_pid" 2>/dev/null

if [ "$session" = --session ]; then
    for mode in "" --fresh-instance; do
        KORVANE_AOUT=pulse QT_QPA_PLATFORM=xcb "$korvane_bin/bench_item_memory" "$items" $mode
    done
fi
exit $((bench_failures > 0))

#!/bin/bash
# CPU while nothing moves, beside mpv: a 1080p H.264 clip paused full screen for 10 s, the same
# clip stopped, and a player with nothing loaded. Goals: paused at most 0.2 % of a core, stopped
# and idle at most 0.1 %. Exits non-zero when a goal is missed.
#   bench/paused_cpu.sh [BIN_DIR] [SECONDS]
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
korvane_bin=$(cd "${1:-$root/build/bin}" && pwd)
seconds=${2:-10}
. "$root/bench/lib.sh"
bench_start_session
clip=$(bench_clip paused 1920x1080 60)

key() { xdotool key --clearmodifiers "$@"; sleep 0.5; }

# Korvane: the clip plays, goes full screen, pauses; then stops.
log=$bench_work/korvane.log
korvane_start "$log" "$clip"
bench_pids+=("$korvane_pid")
wait_log "$log" "engine state.*Playing" 60 || { cat "$log" >&2; exit 2; }
wid=$(window_of "$korvane_pid") || exit 2
xdotool windowactivate --sync "$wid" 2>/dev/null
key ctrl+f
sleep 2
key ctrl+p
wait_log "$log" "engine state.*Paused" 10 || { echo "Korvane did not pause" >&2; exit 2; }
sleep 2
thread_table "$korvane_pid" >"$bench_work/paused.before"
paused=$(cpu_percent "$korvane_pid" "$seconds")
thread_table "$korvane_pid" >"$bench_work/paused.after"
paused_threads=$(thread_delta "$bench_work/paused.before" "$bench_work/paused.after")
key ctrl+s
wait_log "$log" "stopped" 10 || { echo "Korvane did not stop" >&2; exit 2; }
sleep 2
stopped=$(cpu_percent "$korvane_pid" "$seconds")
kill "$korvane_pid"; wait "$korvane_pid" 2>/dev/null

# Korvane with nothing loaded.
korvane_start "$bench_work/idle.log"
bench_pids+=("$korvane_pid")
window_of "$korvane_pid" >/dev/null || exit 2
sleep 3
idle=$(cpu_percent "$korvane_pid" "$seconds")
kill "$korvane_pid"; wait "$korvane_pid" 2>/dev/null

# mpv on the same clip, screen and sound server, paused full screen.
mpv --no-config --vo=x11 --ao=pulse --fs --pause "$clip" >/dev/null 2>&1 &
mpv_pid=$!
bench_pids+=("$mpv_pid")
sleep 4
mpv_paused=$(cpu_percent "$mpv_pid" "$seconds")
kill "$mpv_pid"; wait "$mpv_pid" 2>/dev/null

# cvlc (the same libVLC as Korvane) on the same clip, paused through its remote-control interface.
fifo=$bench_work/vlc-commands
mkfifo -m 666 "$fifo"
as_bench_user sh -c 'exec cvlc --fullscreen --no-video-title-show --aout=pulse --no-osd -I rc --rc-fake-tty "$0" <"$1" >/dev/null 2>&1' "$clip" "$fifo"
bench_pids+=("$user_pid")
exec 3>"$fifo"
vlc=$(child_named "$user_pid" vlc)
sleep 3
echo pause >&3
sleep 2
vlc_paused=$(cpu_percent "$vlc" "$seconds")
kill "$vlc" 2>/dev/null; wait "$user_pid" 2>/dev/null
exec 3>&-

echo "CPU while nothing moves, % of one core over $seconds s (screen $bench_screen)"
echo "cvlc paused on the same clip and screen: $vlc_paused"
verdict "paused, 1080p H.264 full screen (peer: mpv)" "$paused" "$mpv_paused" 0.2
verdict "stopped" "$stopped" "-" 0.1
verdict "idle, nothing loaded" "$idle" "-" 0.1
echo "Korvane's busiest threads while paused (clock ticks): $paused_threads"
exit $((bench_failures > 0))

#!/usr/bin/env bash
# A long run as a heavy user makes it: one player under openbox with a real sound server, 300 short
# clips with Repeat all, 100 hand-overs arriving while it plays, and a storm of MPRIS calls. Each
# minute it samples resident memory, open file descriptors and threads, how far playback has got,
# and how long the player takes to answer a D-Bus property read.
# Goals: after the first minute every sample stays within 10 % of that minute's (for the counts of
# descriptors and threads, within 10 % or 3, whichever is more), items keep advancing, and no
# property read takes longer than 250 ms.
# Usage: bench/soak.sh [build folder] [minutes]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bin=$(cd "${1:-$here/../build}" && pwd)/bin
minutes=${2:-10}
if [ -z "${KORVANE_SOAK_INNER:-}" ]; then
  KORVANE_SOAK_INNER=1 exec dbus-run-session -- "$here/../tests/ui/own_display.sh" "$0" "$@"
fi
source "$here/../scripts/sound-server.sh"
# A window manager, as on every desktop (the display may already have one).
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window || { openbox >/dev/null 2>&1 & }

work=$(mktemp -d)
player=; storm=
trap 'kill $storm $player 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run HOME=$work/home
mkdir -p "$XDG_RUNTIME_DIR" "$HOME" "$work/clips" && chmod 700 "$XDG_RUNTIME_DIR"

ffmpeg -nostdin -v error -f lavfi -i testsrc2=size=640x360:rate=25 -f lavfi -i sine=frequency=330 \
  -t 2 -c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac "$work/clip.mp4" || exit 1
for i in $(seq -w 1 300); do cp "$work/clip.mp4" "$work/clips/clip$i.mp4"; done
mapfile -t clips < <(ls "$work"/clips/*.mp4)

log=$work/log
QT_QPA_PLATFORM=xcb QT_LOGGING_RULES="korvane.playback.debug=true;korvane.playlist.debug=true" \
  "$bin/korvane" "${clips[0]}" >"$log" 2>&1 &
player=$!
for _ in $(seq 300); do grep -q "playing 0" "$log" && break; sleep 0.1; done
grep -q "playing 0" "$log" || { echo "the player never played"; cat "$log"; exit 1; }
# 199 clips now, the last 100 handed over one by one while it plays.
for i in $(seq 1 199); do "$bin/korvane" "${clips[$i]}" '*Add' >/dev/null 2>&1; done

mpris=(--session --dest org.mpris.MediaPlayer2.korvane --object-path /org/mpris/MediaPlayer2)
get() { gdbus call "${mpris[@]}" --method org.freedesktop.DBus.Properties.Get \
  org.mpris.MediaPlayer2.Player "$1" >/dev/null 2>&1; }
# The storm: property reads and harmless calls, as desktop widgets and media keys make them.
(
  while :; do
    for property in Metadata PlaybackStatus Position Volume CanGoNext LoopStatus; do get "$property"; done
    gdbus call "${mpris[@]}" --method org.freedesktop.DBus.Properties.GetAll \
      org.mpris.MediaPlayer2.Player >/dev/null 2>&1
  done
) &
storm=$!

ms_now() { date +%s%3N; }
read_ms() { local t0; t0=$(ms_now); get PlaybackStatus; echo $(($(ms_now) - t0)); }
sample() { # minute
  local status=/proc/$player/status
  local rss threads fds items
  rss=$(awk '/VmRSS/ {print $2}' "$status")
  threads=$(awk '/Threads/ {print $2}' "$status")
  fds=$(ls /proc/$player/fd | wc -l)
  items=$(grep -c "playing " "$log")
  printf '%6s %9d %5d %7d %7d %8d\n' "$1" $((rss / 1024)) "$fds" "$threads" "$items" "$slowest"
  echo "$1 $rss $fds $threads $items $slowest" >>"$work/samples"
}

echo "minute  rss(MiB)   fds threads  items  read(ms, slowest in the minute)"
handed=200
handovers=()
slowest=0
start=$(date +%s)
for minute in $(seq 1 "$minutes"); do
  slowest=0
  while [ $(($(date +%s) - start)) -lt $((minute * 60)) ]; do
    kill -0 $player 2>/dev/null || { echo "the player ended"; tail -20 "$log"; exit 1; }
    if [ $handed -lt 300 ] && [ $((RANDOM % 3)) -eq 0 ]; then
      "$bin/korvane" "${clips[$handed]}" '*Add' >/dev/null 2>&1 &
      handovers+=($!)
      handed=$((handed + 1))
    fi
    took=$(read_ms)
    [ "$took" -gt "$slowest" ] && slowest=$took
    sleep 1
  done
  sample "$minute"
done
# Whatever hand-overs the random pacing left are sent now, so all 100 arrive while it plays.
while [ $handed -lt 300 ]; do "$bin/korvane" "${clips[$handed]}" '*Add' >/dev/null 2>&1; handed=$((handed + 1)); done
[ ${#handovers[@]} -eq 0 ] || wait "${handovers[@]}" 2>/dev/null
for _ in $(seq 60); do [ "$(grep -c "accepted " "$log")" -ge 300 ] && break; sleep 0.5; done
accepted=$(grep -c "accepted " "$log")
echo "clips accepted: $accepted of 300; items played: $(grep -c 'playing ' "$log")"

awk -v accepted="$accepted" '
  NR == 1 { rss = $2; fds = $3; threads = $4; items = $5 }
  NR > 1 {
    if ($2 > rss * 1.1 || $2 < rss * 0.9) { print "memory left its band in minute " $1; bad = 1 }
    slack_f = fds * 0.1 > 3 ? fds * 0.1 : 3; slack_t = threads * 0.1 > 3 ? threads * 0.1 : 3
    if ($3 > fds + slack_f || $3 < fds - slack_f) { print "descriptors left their band in minute " $1; bad = 1 }
    if ($4 > threads + slack_t || $4 < threads - slack_t) { print "threads left their band in minute " $1; bad = 1 }
    if ($5 <= items) { print "no item advanced in minute " $1; bad = 1 }
    items = $5
  }
  { if ($6 > 250) { print "a property read took " $6 " ms in minute " $1; bad = 1 } }
  END { if (accepted < 300) { print "not every clip was accepted"; bad = 1 }
        if (bad) exit 1; print "goals met" }' "$work/samples"

#!/usr/bin/env bash
# The playlist as a user reads and arranges it, and what one run leaves to the next, through the
# real program: the playing entry is marked, a row dragged with the mouse moves, a clip stopped
# 15 s in continues there after a restart, and the volume the last run ended with comes back.
# Usage: listresume_e2e.sh <folder with korvane and its data> [folder for screenshots].
# Without a display it starts its own.
set -uo pipefail
bin=$(cd "${1:?program folder}" && pwd)
shots=${2:-}
if [ -z "${DISPLAY:-}" ] || [ -z "${KORVANE_E2E_INNER:-}" ]; then
  KORVANE_E2E_INNER=1 exec "$(dirname "$0")/own_display.sh" "$0" "$bin" "$shots"
fi
. "$(dirname "$0")/e2e_helpers.sh"
. "$(dirname "$0")/desktop_helpers.sh"
export QT_LOGGING_RULES="$QT_LOGGING_RULES;korvane.playlist.debug=true;korvane.app.debug=true"
[ -n "$shots" ] || shots=$work/shots
mkdir -p "$shots"

for clip in a:60 b:20 c:20; do
  ffmpeg -v error -f lavfi -i "testsrc2=duration=${clip#*:}:size=160x120:rate=10" \
    -f lavfi -i "sine=frequency=300:duration=${clip#*:}" -c:v libx264 -preset ultrafast \
    -pix_fmt yuv420p -c:a aac -shortest "$work/${clip%:*}.mp4" || exit 1
done
store=$XDG_CONFIG_HOME/Korvane/store.ini
focus() { xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"; sleep 0.3; }
ended() { for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || return 0; sleep 0.1; done; return 1; }
X=100; Y=100; W=520; H=515
place() { xdotool windowmove --sync "$wid" $X $Y windowsize --sync "$wid" $W $H; focus; }
close_window() { xdotool mousemove $((X + W - 19)) $((Y + 12)) sleep 0.3 click 1; }
# The playlist fills the left pane below the menu bar; rows are 80 pixels high.
row_y() { echo $((Y + 56 + 80 * $1 + 40)); }

start_player "$work/a.mp4"
place
check "the command-line file plays" wait_for "playing 0 .*a.mp4"
started=$(date +%s)
check "its row is marked as the one playing" wait_for "marked 0 .*a.mp4"
for name in b c; do "$bin/korvane" "$work/$name.mp4" '*Add' >/dev/null 2>&1; done
check "two more files are handed over" wait_count "accepted" 3
sleep 0.5
shot marked

# Row 2 (c.mp4) dragged by the mouse above row 0.
xdotool mousemove $((X + 60)) "$(row_y 2)" sleep 0.2 mousedown 1
for step in 1 2 3 4 5 6; do xdotool mousemove $((X + 60)) $(($(row_y 2) - 35 * step)) sleep 0.05; done
xdotool mousemove $((X + 60)) $((Y + 56 + 8)) sleep 0.3
shot dragging
xdotool mouseup 1
check "dragging row 2 to the top moves it there" wait_for "moved 2 0"
check "the mark stays on a.mp4, now row 1" wait_for "marked 1 .*a.mp4"
check "and a.mp4 goes on playing" [ "$(count "playing ")" -eq 1 ]
shot moved

# The volume slider sits 80 pixels from the right edge, 27 from the bottom: 23 pixels into its
# 50-pixel span is 40.
xdotool mousemove $((X + W - 80 + 23)) $((Y + H - 27 + 7)) sleep 0.2 click 1

# Stopped 15 s in: the place is kept, and stays through the end of the run.
now=$(date +%s)
[ $((now - started)) -lt 16 ] && sleep $((16 - (now - started)))
focus
key ctrl+s
check "Ctrl+S stops" wait_for ": stopped$"
check "the place is kept" wait_for "resume point .*a.mp4 1[5-9][0-9][0-9][0-9]$"
close_window
check "Close ends the program" ended
check "the store keeps the place" grep -q "^0=1[5-9][0-9][0-9][0-9] .*a.mp4" "$store"
check "and the volume" grep -q "^Volume=40" "$store"
check "and that it is not muted" grep -q "^Mute=0" "$store"

# The next run: the same file continues from there, as loud as the last run ended.
: >"$log"
start_player "$work/a.mp4"
place
check "the volume comes back" wait_for "sound restored 40 unmuted"
check "the clip plays again" wait_for "playing 0 .*a.mp4"
check "from where it was stopped" wait_for "resume .*a.mp4 at 1[5-9][0-9][0-9][0-9]"
check "and the engine is sought there" wait_for "seek 1[5-9][0-9][0-9][0-9]"
shot resumed
close_window
check "Close ends the program again" ended
# Left at 16 s or more, the place stays for the run after.
check "the place is still kept" grep -q "^0=1[5-9][0-9][0-9][0-9] .*a.mp4" "$store"

[ $failures -eq 0 ] || { echo "--- log"; cat "$log"; echo "--- store"; cat "$store"; }
exit $failures

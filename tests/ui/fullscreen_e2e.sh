#!/usr/bin/env bash
# Full screen and the playlist's splitter bar under a window manager: Ctrl+F and the full-screen
# button switch full screen on, Ctrl+F and Esc off; full screen the video covers the screen, and
# leaving it puts the window back at its earlier place and size exactly; paused, the picture stays
# at either size. The splitter bar beside a left playlist drags right after start-up and after a
# resize.
# Usage: fullscreen_e2e.sh <folder with korvane and its data>. It starts its own display.
set -uo pipefail
bin=$(cd "${1:?program folder}" && pwd)
if [ -z "${DISPLAY:-}" ] || [ -z "${KORVANE_E2E_INNER:-}" ]; then
  KORVANE_E2E_INNER=1 exec "$(dirname "$0")/own_display.sh" "$0" "$bin"
fi
. "$(dirname "$0")/e2e_helpers.sh"
. "$(dirname "$0")/desktop_helpers.sh"

write_settings
make_clip
start_player "$work/bright.mp4"
check "the window opens where the settings put it" wait_geometry "100 100 388 515"
xdotool windowactivate --sync "$wid" 2>/dev/null
check "the clip plays" wait_for "playing"
check "the video draws" video_draws

screen_draws() { for _ in $(seq 50); do [ "$(brightness 640 400)" -ge 15 ] && return 0; sleep 0.1; done; return 1; }
key ctrl+f
check "Ctrl+F switches full screen on" wait_for "full screen on"
check "the window covers the screen" wait_geometry "0 0 1280 800"
check "the video draws in the middle of the screen" screen_draws
key ctrl+f
check "Ctrl+F switches it off again" wait_for "full screen off"
check "the window is back at its place and size" wait_geometry "100 100 388 515"

xdotool mousemove $((100 + 365)) $((100 + 419)) sleep 0.3 click 1 # the full-screen button
check "the full-screen button switches it on" wait_count "full screen on" 2
check "the window covers the screen again" wait_geometry "0 0 1280 800"
key Escape
check "Esc switches it off" wait_count "full screen off" 2
check "the window is back once more" wait_geometry "100 100 388 515"

# Paused, the engine draws nothing more: the player paints the paused picture at every size.
key ctrl+f
check "full screen once more" wait_geometry "0 0 1280 800"
key space
check "Space pauses" wait_for "engine state.*Paused"
sleep 1
check "paused, full screen shows the picture" screen_draws
key Escape
check "paused, Esc brings the window back" wait_geometry "100 100 388 515"
check "and the window shows the picture" video_draws
key space
check "Space plays on" wait_count "engine state.*Playing" 2

# Widths of the panes' own windows: the playlist and the video, side by side, 312 px high.
has_pane() { xwininfo -tree -id "$wid" | grep -q " $1x312+0+0 "; }
wait_pane() { for _ in $(seq 30); do has_pane "$1" && return 0; sleep 0.1; done; return 1; }
bar_drag() { # x on the bar (window coordinates), pixels to the right
  xdotool mousemove $((100 + $1)) 350 sleep 0.2 mousedown 1 sleep 0.2 \
    mousemove $((100 + $1 + $2 / 2)) 350 sleep 0.2 mousemove $((100 + $1 + $2)) 350 sleep 0.3 mouseup 1
}
check "the playlist takes a third at start-up" wait_pane 119
bar_drag 136 50 # the bar spans 134 to 137
check "the bar drags after start-up (playlist 171 px)" wait_pane 171
check "and the video gives way (183 px)" wait_pane 183
xdotool windowsize --sync "$wid" 520 515
check "after a resize the playlist takes a third again" wait_pane 163
bar_drag 180 40 # the bar spans 178 to 181
check "the bar drags after a resize (playlist 205 px)" wait_pane 205

[ $failures -eq 0 ] || { echo "--- log"; cat "$log"; }
exit $failures

#!/usr/bin/env bash
# The skinned window driven as a user drives it: the real program on a real X display, pointer
# and buttons from xdotool, results read from the window, the screen and the program's log.
# Usage: skin_window_e2e.sh <folder with korvane and its data>. Without a display it starts Xvfb.
set -uo pipefail
bin=$(cd "${1:?program folder}" && pwd)
if [ -z "${DISPLAY:-}" ] || [ -z "${KORVANE_E2E_INNER:-}" ]; then
  KORVANE_E2E_INNER=1 exec "$(dirname "$0")/own_display.sh" "$0" "$bin"
fi
work=$(mktemp -d)
trap 'kill $pid 2>/dev/null; wait $pid 2>/dev/null; rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run HOME=$work/home
mkdir -p "$XDG_RUNTIME_DIR" "$HOME" && chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb QT_LOGGING_RULES="korvane.ui.debug=true;korvane.playback.debug=true"
log=$work/log
"$bin/korvane" "$bin/sample.mp4" >"$log" 2>&1 &
pid=$!

. "$(dirname "$0")/e2e_helpers.sh"
crop() { import -window root -crop "$1" "$2" 2>/dev/null; }
differs() { [ "$(compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1)" != "0" ]; }
geometry() { xdotool getwindowgeometry "$wid" | awk '/Position/ {print $2} /Geometry/ {print $2}' | paste -sd' '; }

wid=$(main_window) || exit 1
X=100; Y=100
xdotool windowmove --sync "$wid" $X $Y windowsize --sync "$wid" 400 515
sleep 1
# The media buttons answer once the file plays; until then they are greyed and take no click.
check "the sample plays" wait_for "engine state Engine::Playing"
# The default title bar mode shows the full path, in the caption and in the window's own title.
check "the window title names the playing file by its full path ($(xdotool getwindowname "$wid"))" \
  [ "$(xdotool getwindowname "$wid")" = "Korvane - ($bin/sample.mp4)" ]

# Skin geometry for 400 × 515: ControlTop 368, PlayLeft 166.
click() { xdotool mousemove $((X + $1)) $((Y + $2)); sleep 0.2; xdotool click 1; sleep 0.4; }
click 252 470 # Pause
check "clicking Pause pauses" wait_for "clicked Pause"
play="69x59+$((X + 166))+$((Y + 428))"
xdotool mousemove $((X + 200)) $((Y + 200)); sleep 0.4; crop "$play" "$work/play-normal.png"
xdotool mousemove $((X + 200)) $((Y + 450)); sleep 0.4; crop "$play" "$work/play-over.png"
xdotool mousedown 1; sleep 0.4; crop "$play" "$work/play-press.png"; xdotool mouseup 1; sleep 0.4
check "hovering Play lights it" differs "$work/play-normal.png" "$work/play-over.png"
check "pressing Play presses it" differs "$work/play-over.png" "$work/play-press.png"
check "releasing on Play clicks it" wait_for "clicked Play"

# Both placements were logged at start-up already: only a new line answers the click.
hidden=$(count "playlist position 5 (pane 0 px)")
shown=$(count "playlist position 0 (pane 123 px)")
click 20 490 # PlayList
check "PlayList hides the playlist, the side panes close" \
  wait_count "playlist position 5 (pane 0 px)" $((hidden + 1))
click 20 490
check "PlayList shows it again at a third" \
  wait_count "playlist position 0 (pane 123 px)" $((shown + 1))

minimize="22x24+$((X + 324))+$((Y + 1))"
xdotool mousemove $((X + 200)) $((Y + 200)); sleep 0.3; crop "$minimize" "$work/min-before.png"
click 358 12 # Maximize
check "Maximize maximises" wait_for "maximized"
xdotool mousemove $((X + 200)) $((Y + 200)); sleep 0.3; crop "$minimize" "$work/min-after.png"
check "Maximize greys Minimize" differs "$work/min-before.png" "$work/min-after.png"
# Under a window manager the maximised window covers the screen; its Maximize button moves along.
max_x=$(xdotool getwindowgeometry --shell "$wid" | sed -n 's/^X=//p')
max_y=$(xdotool getwindowgeometry --shell "$wid" | sed -n 's/^Y=//p')
max_w=$(xdotool getwindowgeometry --shell "$wid" | sed -n 's/^WIDTH=//p')
xdotool mousemove $((max_x + max_w - 42)) $((max_y + 12)); sleep 0.2; xdotool click 1; sleep 0.4
check "Maximize again restores" wait_for "restored"
xdotool windowmove --sync "$wid" $X $Y windowsize --sync "$wid" 400 515; sleep 0.5

before=$(geometry)
xdotool mousemove $((X + 150)) $((Y + 12)) mousedown 1 sleep 0.2 mousemove $((X + 200)) $((Y + 40)) \
  sleep 0.2 mousemove $((X + 250)) $((Y + 62)) sleep 0.2 mouseup 1
sleep 0.5
after=$(geometry)
check "dragging the caption moves the window ($before -> $after)" [ "${before%% *}" != "${after%% *}" ]
X=$(echo "${after%% *}" | cut -d, -f1); Y=$(echo "${after%% *}" | cut -d, -f2)

xdotool mousemove $((X + 398)) $((Y + 250)); sleep 0.2
xdotool mousedown 1 sleep 0.2 mousemove $((X + 380)) $((Y + 250)) sleep 0.2 \
  mousemove $((X + 300)) $((Y + 250)) sleep 0.2 mousemove $((X + 200)) $((Y + 250)) sleep 0.2 \
  mousemove $((X + 600)) $((Y + 250)) sleep 0.2 mouseup 1
sleep 0.5
check "dragging the right edge left stops at 370 px ($(geometry))" \
  [ "$(geometry | cut -d' ' -f2)" = "370x515" ]

for size in "630 515" "800 600" "630 515"; do
  xdotool windowsize --sync "$wid" $size; sleep 0.5
done
check "a 600 px splitter gives the left playlist 200 px after each resize" \
  [ "$(grep -o 'playlist position 0 (pane [0-9]* px)' "$log" | tail -1)" = "playlist position 0 (pane 200 px)" ]

if [ $failures -ne 0 ]; then
  # What stood where: a window over the player or a grab explains clicks that went nowhere.
  echo "--- pointer: $(xdotool getmouselocation 2>&1)"
  echo "--- windows"; xwininfo -root -tree 2>&1 | grep -v 'has no name' | head -40
  echo "--- log"; cat "$log"
fi
exit $failures

#!/usr/bin/env bash
# The caption under a window manager: dragging it from the label and from the strip moves the
# window by exactly the pointer's travel; double-clicks on the strip and on the label maximise
# and restore; quitting while maximised by the label remembers the place from before.
# Usage: caption_e2e.sh <folder with korvane and its data>. It starts its own display.
set -uo pipefail
bin=$(cd "${1:?program folder}" && pwd)
if [ -z "${DISPLAY:-}" ] || [ -z "${KORVANE_E2E_INNER:-}" ]; then
  KORVANE_E2E_INNER=1 exec "$(dirname "$0")/own_display.sh" "$0" "$bin"
fi
. "$(dirname "$0")/e2e_helpers.sh"
. "$(dirname "$0")/desktop_helpers.sh"

write_settings
start_player
check "the window opens where the settings put it" wait_geometry "100 100 388 515"

# Pressed at (x, y) of the window at wx, wy, dragged in three steps by dx, dy, released.
drag() { # wx wy x y dx dy
  local fx=$(($1 + $3)) fy=$(($2 + $4))
  xdotool mousemove $fx $fy sleep 0.2 mousedown 1 sleep 0.2 \
    mousemove $((fx + $5 / 3)) $((fy + $6 / 3)) sleep 0.2 \
    mousemove $((fx + 2 * $5 / 3)) $((fy + 2 * $6 / 3)) sleep 0.2 \
    mousemove $((fx + $5)) $((fy + $6)) sleep 0.3 mouseup 1
}
drag 100 100 150 15 60 30 # the caption label
check "dragging the label moves the window by the pointer's travel" wait_geometry "160 130 388 515"
drag 160 130 150 28 -30 45 # the strip below the label
check "dragging the strip moves the window by the pointer's travel" wait_geometry "130 175 388 515"

double_click() { xdotool mousemove $1 $2 sleep 0.3 click --repeat 2 --delay 80 1; }
double_click $((130 + 150)) $((175 + 28))
check "double-clicking the strip maximises" wait_geometry "0 0 1280 800"
double_click 150 28
check "double-clicking it again restores" wait_geometry "130 175 388 515"
double_click $((130 + 150)) $((175 + 15))
check "double-clicking the label maximises" wait_geometry "0 0 1280 800"
check "by the maximise toggle" wait_for "maximized"
double_click 150 15
check "double-clicking it again restores" wait_geometry "130 175 388 515"
check "by the toggle" wait_for "restored"

# Maximised by the label, the window is closed; it reopens where it stood before.
double_click $((130 + 150)) $((175 + 15))
check "maximised once more" wait_geometry "0 0 1280 800"
xdotool mousemove $((1280 - 30 + 11)) 12 sleep 0.3 click 1 # Close
ended() { for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || return 0; sleep 0.1; done; return 1; }
check "Close ends the program" ended
start_player
check "it reopens where it stood before maximising" wait_geometry "130 175 388 515"

[ $failures -eq 0 ] || { echo "--- log"; cat "$log"; }
exit $failures

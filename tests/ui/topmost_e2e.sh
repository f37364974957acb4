#!/usr/bin/env bash
# "Always OnTop" under a window manager: the window enters and leaves the topmost band (the
# manager's "above" state) at start-up, around the About box and from Options, and the video
# keeps drawing into the window all along.
# Usage: topmost_e2e.sh <folder with korvane and its data>. It starts its own display.
set -uo pipefail
bin=$(cd "${1:?program folder}" && pwd)
if [ -z "${DISPLAY:-}" ] || [ -z "${KORVANE_E2E_INNER:-}" ]; then
  KORVANE_E2E_INNER=1 exec "$(dirname "$0")/own_display.sh" "$0" "$bin"
fi
. "$(dirname "$0")/e2e_helpers.sh"
. "$(dirname "$0")/desktop_helpers.sh"

write_settings ontop
make_clip
start_player "$work/bright.mp4"
xdotool windowactivate --sync "$wid" 2>/dev/null
check "the clip plays" wait_for "playing"
check "start-up puts the window in the topmost band" wait_above
check "start-up logs it" wait_for "topmost on"
check "the video draws at start-up" video_draws

file_title() { xdotool mousemove $((100 + 28)) $((100 + 40)) click 1; sleep 0.5; }
file_title; key Left; key Return
check "About opens" wait_window "About Korvane"
check "the window leaves the band while About shows" wait_not_above
about=$(window_named "About Korvane")
eval "$(xdotool getwindowgeometry --shell "$about")"
xdotool mousemove $((X + 371)) $((Y + 183)) click 1
check "OK closes About" wait_gone "About Korvane"
check "closing About puts the window back in the band" wait_above
check "and logs it" wait_count "topmost on" 2
check "the video draws after About" video_draws

options() { # the check box "Always OnTop", then OK
  file_title; key Right; key Right; key Right; key Down; key Return
  wait_window '^Options$' || return 1
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$(window_named '^Options$')")"
  xdotool mousemove $((X + 46)) $((Y + 308)) click 1; sleep 0.4
  xdotool mousemove $((X + 374)) $((Y + 404)) click 1
  wait_gone '^Options$'
}
check "Options → Always OnTop cleared → OK" options
check "the window leaves the band" wait_not_above
check "the video draws with the flag cleared" video_draws
check "Options → Always OnTop ticked → OK" options
check "the window is in the band again" wait_above
check "the video draws with the flag ticked" video_draws
check "the engine never lost its window" [ "$(count 'bad X11 window')" = 0 ]

[ $failures -eq 0 ] || { echo "--- log"; cat "$log"; }
exit $failures

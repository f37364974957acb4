#!/usr/bin/env bash
# Faults that sat between parts whose own tests passed, tried through the real program: a
# right-click on the playlist acts on the row under the pointer, Options keeps what was chosen
# from the menus since the last save and says so when it cannot save, and the About box closes
# from the keyboard.
# Usage: wiring_e2e.sh <folder with korvane and its data> [folder for screenshots].
# Without a display it starts its own.
set -uo pipefail
bin=$(cd "${1:?program folder}" && pwd)
shots=${2:-}
if [ -z "${DISPLAY:-}" ] || [ -z "${KORVANE_E2E_INNER:-}" ]; then
  KORVANE_E2E_INNER=1 exec "$(dirname "$0")/own_display.sh" "$0" "$bin" "$shots"
fi
. "$(dirname "$0")/e2e_helpers.sh"
. "$(dirname "$0")/desktop_helpers.sh"
export QT_LOGGING_RULES="$QT_LOGGING_RULES;korvane.playlist.debug=true"
[ -n "$shots" ] || shots=$work/shots
mkdir -p "$shots"

for name in a b c; do
  ffmpeg -v error -f lavfi -i "testsrc2=duration=30:size=160x120:rate=10" \
    -f lavfi -i "sine=frequency=300:duration=30" -c:v libx264 -preset ultrafast \
    -pix_fmt yuv420p -c:a aac -shortest "$work/$name.mp4" || exit 1
done
config_line() { sed -n "$1p" "$XDG_CONFIG_HOME/Korvane/Config.cfg" | tr -d '\r '; }
focus() { xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"; sleep 0.3; }

start_player "$work/a.mp4"
X=100; Y=100
xdotool windowmove --sync "$wid" $X $Y windowsize --sync "$wid" 520 515
focus
check "the command-line file plays" wait_for "playing 0 .*a.mp4"
for name in b c; do "$bin/korvane" "$work/$name.mp4" '*Add' >/dev/null 2>&1; done
check "two more files are handed over" wait_count "accepted" 3
sleep 0.5
shot playlist

# The playlist fills the left pane below the menu bar; rows are 80 pixels high.
row_y() { echo $((Y + 56 + 80 * $1 + 40)); }
# Row 0 is selected; a right-click on row 2 chooses Remove from the Play List popup.
xdotool mousemove $((X + 60)) "$(row_y 0)" click 1; sleep 0.5
xdotool mousemove $((X + 60)) "$(row_y 2)" click 3; sleep 0.6
check "right-clicking the playlist opens the Play List menu" wait_for "popup mnuPlayListmenu"
shot popup-remove
# "Remove" is the popup's third item, below "Add Media File(s)..." and "Open Folder...".
xdotool mousemove_relative 40 53; sleep 0.3; xdotool click 1; sleep 0.5
check "Remove removes the row that was right-clicked" wait_for "removed 2 .*c.mp4"
check "and only that row" [ "$(count "removed ")" -eq 1 ]

# 2.3: Shuffle chosen from Play → Play Mode, then Options → OK: the choice stays.
focus
file_title() { xdotool mousemove $((X + 28)) $((Y + 40)) click 1; sleep 0.5; }
file_title; key Right; key Down; key Down; key Right; key s
check "Play Mode → Shuffle" wait_for "command PMShuffle"
before=$(xdotool getwindowgeometry "$wid" | awk '/Geometry/ {print $2}')
focus
file_title; key Right; key Right; key Right; key Down; key Return
check "Tools → Options opens the dialog" wait_window '^Options$'
eval "$(xdotool getwindowgeometry --shell "$(window_named '^Options$')")"
xdotool mousemove $((X + 500 - 120)) $((Y + 435 - 30)) click 1; sleep 0.5
X=100; Y=100
check "OK closes the dialog" wait_gone '^Options$'
# Config.cfg's third line is the play mode: 2 is Shuffle.
check "the saved play mode is the Shuffle chosen from the menu ($(config_line 3))" [ "$(config_line 3)" = 2 ]
after=$(xdotool getwindowgeometry "$wid" | awk '/Geometry/ {print $2}')
check "the window keeps its size ($before, $after)" [ "$before" = "$after" ]

# 2.10: Help → About, closed by Escape, then by Return.
for closing in Escape Return; do
  focus
  file_title; key Left; key Return
  check "Help → About shows the box" wait_window "About Korvane"
  sleep 0.5
  [ "$closing" = Escape ] && shot about
  key "$closing"
  check "$closing closes the About box" wait_gone "About Korvane"
done

# A save that fails says so and keeps the dialog open: Config.cfg stands as a folder now, which
# no write can replace, root's included.
rm -f "$XDG_CONFIG_HOME/Korvane/Config.cfg" && mkdir "$XDG_CONFIG_HOME/Korvane/Config.cfg"
options_windows() { xdotool search --onlyvisible --name '^Options$' 2>/dev/null | wc -l; }
focus
file_title; key Right; key Right; key Right; key Down; key Return
check "Tools → Options opens the dialog again" wait_window '^Options$'
eval "$(xdotool getwindowgeometry --shell "$(window_named '^Options$')")"
DX=$X; DY=$Y; X=100; Y=100
xdotool mousemove $((DX + 500 - 120)) $((DY + 435 - 30)) click 1; sleep 0.5
check "OK that cannot save is logged" wait_for "settings not saved"
check "and tells the user over the dialog" \
  bash -c 'for _ in $(seq 50); do [ "$(xdotool search --onlyvisible --name "^Options$" | wc -l)" -ge 2 ] && exit 0; sleep 0.1; done; exit 1'
shot save-failed
key Return
check "the dialog stays open with the user's values" [ "$(options_windows)" -ge 1 ]
xdotool mousemove $((DX + 500 - 50)) $((DY + 435 - 30)) click 1; sleep 0.5
check "Cancle then closes it" wait_gone '^Options$'

[ $failures -eq 0 ] || { echo "--- log"; cat "$log"; }
exit $failures

#!/bin/bash
# The Options dialog on a real X display, driven with xdotool: Tools → Options opens it, ticking
# "Matroska Media File (*.mkv)" and OK makes Korvane the desktop's default for the type (as
# xdg-mime answers), unticking gives the earlier default back, and choosing the playlist
# position Right moves the playlist at once. Everything lives in private XDG folders.
# Usage: options_e2e.sh <program folder> [screenshot folder]
set -uo pipefail
bin=$(cd "${1:?program folder}" && pwd)
shots=${2:-}
if [ -z "${DISPLAY:-}" ] || [ -z "${KORVANE_E2E_INNER:-}" ]; then
  KORVANE_E2E_INNER=1 exec "$(dirname "$0")/own_display.sh" "$0" "$bin" "$shots"
fi
work=$(mktemp -d)
[ -n "$shots" ] || shots=$work/shots
mkdir -p "$shots"
pid=
trap '[ -n "$pid" ] && kill $pid 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/run HOME=$work/home
# The system's data folder stays last: the MIME database lives there.
export XDG_CONFIG_DIRS=$work/etc XDG_DATA_DIRS=$work/usr:/usr/share
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID XDG_MENU_PREFIX
mkdir -p "$XDG_RUNTIME_DIR" "$HOME" "$XDG_CONFIG_HOME" "$work/usr/applications" && chmod 700 "$XDG_RUNTIME_DIR"
# The player the user had before: the type opens with it until Korvane takes it.
cat >"$work/usr/applications/other.desktop" <<'ENTRY'
[Desktop Entry]
Type=Application
Name=Other Player
Exec=/bin/true %f
MimeType=video/x-matroska;
ENTRY
printf '[Default Applications]\nvideo/x-matroska=other.desktop;\n' >"$XDG_CONFIG_HOME/mimeapps.list"
export QT_QPA_PLATFORM=xcb
export QT_LOGGING_RULES="korvane.ui.debug=true;korvane.system.debug=true"

log=$work/log
"$bin/korvane" >"$log" 2>&1 &
pid=$!

. "$(dirname "$0")/e2e_helpers.sh"
answer() { xdg-mime query default video/x-matroska 2>/dev/null; }

wid=$(main_window) || exit 1
X=100; Y=100
xdotool windowmove --sync "$wid" $X $Y windowsize --sync "$wid" 520 515
xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"
sleep 1
check "before: the desktop opens mkv with the other player" [ "$(answer)" = other.desktop ]

DX=0; DY=0
open_options() {
  xdotool windowfocus --sync "$wid" 2>/dev/null; sleep 0.3
  xdotool mousemove $((X + 28)) $((Y + 40)) click 1; sleep 0.5
  key Right; key Right; key Right; key Down; key Return
  wait_window '^Options$' || return 1
  eval "$(xdotool getwindowgeometry --shell "$(window_named '^Options$')")"
  DX=$X; DY=$Y; X=100; Y=100
  echo "dialog at $DX,$DY"
}
at() { xdotool mousemove $((DX + $1)) $((DY + $2)); sleep 0.2; xdotool click 1; sleep 0.5; }
toggle_mkv() { # the list's first item, three down, and the space bar ticks or clears it
  at 200 50; at 100 98; key Down; key Down; key Down; key space
}

check "Tools → Options opens the dialog" open_options
shot options-player
toggle_mkv
shot options-associations
at 380 405 # OK
check "OK closes the dialog" wait_gone '^Options$'
check "OK associates mkv" wait_for "associated mkv"
check "settings saved" wait_for "settings saved"
check "now xdg-mime answers korvane.desktop ($(answer))" [ "$(answer)" = korvane.desktop ]

check "Options opens again" open_options
toggle_mkv
at 380 405
check "unticked mkv is released" wait_for "released mkv"
check "the earlier default is back ($(answer))" [ "$(answer)" = other.desktop ]

check "Options opens a third time" open_options
at 454 223 # the Right option of the playlist cross
at 300 405 # Apply
check "Apply moves the playlist to the right at once" wait_for "playlist position 1"
shot options-playlist-right
at 450 405 # Cancel
check "Cancle closes the dialog" wait_gone '^Options$'

if [ "$failures" -ne 0 ]; then
  echo "--- program log"; cat "$log"
  exit 1
fi
echo "all passed"

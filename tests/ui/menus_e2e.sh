#!/usr/bin/env bash
# The menus driven as a user drives them: the real program on a real X display, keys and clicks
# from xdotool, results read from the program's log and from the screen.
# Usage: menus_e2e.sh <folder with korvane and its data> [folder for screenshots].
# Without a display it starts Xvfb.
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
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run HOME=$work/home
mkdir -p "$XDG_RUNTIME_DIR" "$HOME" && chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb
export QT_LOGGING_RULES="korvane.ui.debug=true;korvane.playback.debug=true;korvane.playlist.debug=true"

media=$work/media
mkdir -p "$media"
for name in a b c d; do
  ffmpeg -v error -f lavfi -i "testsrc2=duration=20:size=160x120:rate=10" \
    -f lavfi -i "sine=frequency=300:duration=20" -c:v libx264 -preset ultrafast \
    -pix_fmt yuv420p -c:a aac -shortest "$media/$name.mp4" || exit 1
done

# The help page goes to the desktop's opener; this one notes what it is given.
mkdir -p "$work/opener"
printf '#!/bin/sh\necho "$@" >>"%s"\n' "$work/opened" >"$work/opener/xdg-open"
chmod +x "$work/opener/xdg-open"
export PATH="$work/opener:$PATH"

log=$work/log
"$bin/korvane" "$media/a.mp4" >"$log" 2>&1 &
pid=$!

. "$(dirname "$0")/e2e_helpers.sh"

wid=$(main_window) || exit 1
X=100; Y=100
xdotool windowmove --sync "$wid" $X $Y windowsize --sync "$wid" 520 515
xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"
sleep 1
check "the command-line file plays" wait_for "playing 0 .*a.mp4"
# The menu bar's first title, "File", sits at the start of the strip.
file_title() { xdotool mousemove $((X + 28)) $((Y + 40)) click 1; sleep 0.5; }

key ctrl+o
check "Ctrl+O opens the open dialog" wait_window "Open Video File"
xdotool type --delay 20 "$media/"; key Return
xdotool type --delay 20 '"b.mp4" "c.mp4" "d.mp4"'; key Return
check "the three chosen files are taken in" wait_count "accepted" 4
check "the first of them plays" wait_for "playing 1 .*b.mp4"
# Without a window manager the focus does not come back by itself.
xdotool windowfocus --sync "$wid"; sleep 0.5

# Each key of the transport, pressed once: the command it gives and the line that follows it
# (- for none beyond the command's own). Four entries a b c d, b playing.
while read -r keys command follows; do
  commands=$(count "command $command\$")
  [ "$follows" = - ] || lines=$(count "$follows")
  key "$keys"
  check "$keys gives $command" wait_count "command $command\$" $((commands + 1))
  [ "$follows" = - ] || check "$keys: $follows" wait_count "$follows" $((lines + 1))
done <<'KEYS'
ctrl+p    PlayPause     engine state.*Paused
ctrl+p    PlayPause     engine state.*Playing
Next      Next          playing 2 .*c.mp4
Prior     Previous      playing 1 .*b.mp4
ctrl+Up   IncreaseSpeed -
ctrl+Down DecreaseSpeed -
ctrl+r    ResetSpeed    -
ctrl+f    FullScreen    full screen on
ctrl+f    FullScreen    full screen off
F1        HelpTopics    -
ctrl+s    Stop          stopped
ctrl+p    PlayPause     engine state.*Playing
KEYS
help_opened() { for _ in $(seq 100); do grep -q '/help/index.html' "$work/opened" 2>/dev/null && return 0; sleep 0.1; done; return 1; }
check "F1 hands the help page to the desktop" help_opened

# Play → Play Mode → Shuffle through the menu bar: File, then right to Play, down to Play Mode.
file_title; key Right; key Down; key Down; key Right
shot menu-play-mode
key s
check "Play Mode → Shuffle dispatches PMShuffle" wait_for "command PMShuffle"
order=$(grep -o 'play order .*' "$log" | tail -1)
check "shuffle logs a new play order ($order)" [ -n "$order" ]

# Right-click on the video: the classic Play menu.
xdotool mousemove $((X + 400)) $((Y + 200)) click 3; sleep 0.6
check "right-clicking the video opens the Play menu" wait_for "popup mnuPlayBackMenu"
shot popup-video
key Escape

# Right-click on the playlist: the Play List menu; choose Remove All.
xdotool mousemove $((X + 60)) $((Y + 100)) click 3; sleep 0.6
check "right-clicking the playlist opens the Play List menu" wait_for "popup mnuPlayListmenu"
shot popup-playlist
# Add Media File(s)..., Open Folder..., Remove, Remove All.
key Down; key Down; key Down; key Down; key Return
check "Remove All from the popup" wait_for "command mnuPlayListRemoveAll"

# File → Recently Played Files lists what played; its first entry plays again.
file_title; key Down; key Down; key Right
shot menu-recent
key Return
check "a recent file is chosen" wait_for "command History0"
check "and plays" wait_count "playing 0 .*a.mp4" 2

# Help → About shows the box; its OK closes it.
file_title; key Left; key Return
check "Help → About dispatches About" wait_for "command About"
check "the About box shows" wait_window "About Korvane"
sleep 0.5
shot about
about=$(window_named "About Korvane")
eval "$(xdotool getwindowgeometry --shell "$about")"
xdotool mousemove $((X + 416 - 75 + 30)) $((Y + 213 - 45 + 15)) click 1; sleep 0.5
check "OK closes the About box" wait_gone "About Korvane"

xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"
key ctrl+x
check "Ctrl+X gives Exit" wait_for "command Exit$"
ended() { for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || return 0; sleep 0.1; done; return 1; }
check "and the program ends" ended

[ $failures -eq 0 ] || { echo "--- log"; cat "$log"; }
exit $failures

# Sourced by the scripts that check the window under a window manager, after e2e_helpers.sh:
# private XDG folders, a settings file written beforehand, a long bright clip, and what the X
# server says about the window.
work=$(mktemp -d)
pid=
trap '[ -n "$pid" ] && kill $pid 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run HOME=$work/home
mkdir -p "$XDG_RUNTIME_DIR" "$HOME" "$XDG_CONFIG_HOME/Korvane" && chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb QT_LOGGING_RULES="korvane.ui.debug=true;korvane.playback.debug=true"
log=$work/log

# The settings file with the window at 100,100 (1500 twips), 388 × 515, its position remembered,
# the playlist on the left; "ontop" as the first argument puts the window in the topmost band.
write_settings() {
  local ontop=0
  [ "${1:-}" = ontop ] && ontop=1
  {
    printf 'English\r\n%s\r\n 1 \r\n 2 \r\n %s \r\n 1 \r\n 0 \r\n 0 \r\n 1 \r\n 0 \r\n 0 \r\n 1 \r\n 0 \r\n' \
      "$HOME/Desktop" "$ontop"
    printf '%s\r\nIMG_\r\n 1 \r\n 0 \r\n' "$HOME/Pictures"
    for _ in $(seq 24); do printf ' 0 \r\n'; done
    printf ' 1500 \r\n 1500 \r\n 5820 \r\n 7725 \r\n 0 \r\n'
  } >"$XDG_CONFIG_HOME/Korvane/Config.cfg"
}

# A clip long enough that no test outlives it: a replay would hand the engine the window anew.
make_clip() {
  ffmpeg -v error -f lavfi -i testsrc2=duration=120:size=320x180:rate=10 -c:v libx264 \
    -preset ultrafast -pix_fmt yuv420p "$work/bright.mp4"
}

start_player() { # arguments for korvane
  "$bin/korvane" "$@" >>"$log" 2>&1 &
  pid=$!
  wid=$(main_window) || exit 1
}

# "x y w h" of the main window as the X server has it.
geometry() {
  local X=-1 Y=-1 WIDTH=0 HEIGHT=0 SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$wid" 2>/dev/null)"
  echo "$X $Y $WIDTH $HEIGHT"
}
wait_geometry() { # expected "x y w h"
  for _ in $(seq 100); do [ "$(geometry)" = "$1" ] && return 0; sleep 0.1; done
  echo "  (the window stands at $(geometry), not $1)"
  return 1
}
net_state() { xprop -id "$wid" _NET_WM_STATE 2>/dev/null; }
is_above() { net_state | grep -q _NET_WM_STATE_ABOVE; }
wait_above() { for _ in $(seq 50); do is_above && return 0; sleep 0.1; done; return 1; }
wait_not_above() { for _ in $(seq 50); do is_above || return 0; sleep 0.1; done; return 1; }

# Mean of the colour channels (0 to 100) of a 40 × 30 box of the screen centred on x, y.
brightness() {
  import -window root -crop "40x30+$(($1 - 20))+$(($2 - 15))" "$work/box.png" 2>/dev/null
  convert "$work/box.png" -format '%[fx:int(100*mean)]' info: 2>/dev/null || echo 0
}
# The centre of the video pane of a window at wx, wy, ww × wh with the playlist on the left.
video_centre() {
  local content=$(($3 - 30))
  local pane=$((content / 3 + 4))
  echo "$(($1 + 15 + pane + (content - pane) / 2)) $(($2 + 56 + ($4 - 203) / 2))"
}
# The video draws: the box at the video's centre is bright within the deadline.
video_draws() {
  local g c
  g=$(geometry)
  c=$(video_centre $g)
  for _ in $(seq 50); do
    [ "$(brightness $c)" -ge 15 ] && return 0
    sleep 0.1
  done
  echo "  (the video's centre at $c has brightness $(brightness $c))"
  return 1
}

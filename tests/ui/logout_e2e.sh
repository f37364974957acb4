#!/usr/bin/env bash
# A session's end as the desktop delivers it: the display goes away alone, or SIGTERM and the
# display's end come at the same moment, or SIGTERM alone. Each time the player must end, with
# the window's new place in Config.cfg (all 46 lines) and the played file in the history.
# Usage: logout_e2e.sh <folder with korvane and its data> [rounds]. Prints each end's seconds.
# Starts (and kills) its own Xvfb and openbox.
set -uo pipefail
bin=$(cd "${1:?program folder}" && pwd)
rounds=${2:-1}
work=$(mktemp -d)
server=; pid=
trap 'kill -9 $pid $server 2>/dev/null; pkill -P $$ 2>/dev/null; rm -rf "$work"' EXIT
failures=0
check() { # name, condition...
  local name=$1; shift
  if "$@"; then echo "ok: $name"; else echo "FAIL: $name"; failures=$((failures + 1)); fi
}
ffmpeg -loglevel error -f lavfi -i testsrc2=size=${KORVANE_LOGOUT_CLIP_SIZE:-1280x720}:rate=30 -f lavfi -i sine=frequency=440 \
  -t 30 -c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac "$work/clip.mp4" || exit 1

start_display() {
  local number_file=$work/display
  : >"$number_file"
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$number_file" 2>/dev/null &
  server=$!
  for _ in $(seq 100); do [ -s "$number_file" ] && break; sleep 0.1; done
  export DISPLAY=:$(tr -dc 0-9 <"$number_file")
  for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  openbox >/dev/null 2>&1 &
  for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break; sleep 0.1; done
}

round() { # how: display | both | term
  local how=$1 home=$work/$1.$2
  export XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$home/run HOME=$home
  mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
  start_display
  local log=$home/log
  QT_QPA_PLATFORM=xcb QT_LOGGING_RULES="korvane.playback.debug=true" \
    "$bin/korvane" "$work/clip.mp4" >"$log" 2>&1 &
  pid=$!
  local wid=
  for _ in $(seq 300); do
    wid=$(xdotool search --onlyvisible --name '^Korvane' 2>/dev/null | head -1)
    [ -n "$wid" ] && grep -q "playing" "$log" && break
    sleep 0.1
  done
  if [ -z "$wid" ]; then
    echo "FAIL: $how: no window (display $DISPLAY)"; cat "$log"; failures=$((failures + 1))
    kill -9 $pid $server 2>/dev/null; wait $pid $server 2>/dev/null
    return
  fi
  # A place of this run's own, which only a save at the end can have written.
  xdotool windowmove --sync "$wid" 300 200
  sleep 1
  local start=$(date +%s.%N)
  case $how in
  display) kill -9 $server ;;
  both) kill -TERM $pid; kill -9 $server ;;
  term) kill -TERM $pid ;;
  esac
  for _ in $(seq 200); do kill -0 $pid 2>/dev/null || break; sleep 0.05; done
  local took=$(echo "$(date +%s.%N) - $start" | bc)
  local ended=yes
  kill -0 $pid 2>/dev/null && { ended=no; kill -9 $pid; }
  wait $pid 2>/dev/null
  kill -9 $server 2>/dev/null; wait $server 2>/dev/null
  pkill -P $$ openbox 2>/dev/null
  echo "ended after $took s ($how)"
  local config=$XDG_CONFIG_HOME/Korvane/Config.cfg
  check "$how: the player ends" [ $ended = yes ]
  check "$how: Config.cfg keeps its 46 lines" [ "$(wc -l <"$config")" = 46 ]
  # 300 × 200 pixels at 96 dots per inch: 4500 × 3000 twips.
  check "$how: the window's new place is saved" \
    [ "$(sed -n 42,43p "$config" | tr -d '\r ' | paste -sd,)" = 4500,3000 ]
  check "$how: the history holds the played file" \
    grep -qF "0=$work/clip.mp4" "$XDG_CONFIG_HOME/Korvane/store.ini"
}

for r in $(seq "$rounds"); do
  for how in display both term; do round $how "$r"; done
done
[ $failures -eq 0 ] && echo "PASS" || { echo "$failures failed"; exit 1; }

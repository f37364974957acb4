#!/usr/bin/env bash
# Runs a command on an X display of its own: Xvfb picks a free display number itself and says
# which (-displayfd), so window tests running side by side never share or race for a number.
# The display has a window manager, openbox, as every desktop does; KORVANE_NO_WM=1 leaves it
# bare, for what must hold without one.
# Usage: own_display.sh COMMAND [ARGUMENTS...]
set -uo pipefail
number_file=$(mktemp)
wm_home=$(mktemp -d)
wm=
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$number_file" 2>/dev/null &
server=$!
trap '[ -n "$wm" ] && kill $wm 2>/dev/null; kill $server 2>/dev/null; wait 2>/dev/null; rm -rf "$number_file" "$wm_home"' EXIT
for _ in $(seq 100); do
  [ -s "$number_file" ] && break
  kill -0 $server 2>/dev/null || break
  sleep 0.1
done
number=$(tr -dc 0-9 <"$number_file")
[ -n "$number" ] || { echo "FAIL: Xvfb did not start"; exit 1; }
if [ "${KORVANE_NO_WM:-0}" != 1 ]; then
  # Its own home, so the user's openbox settings and caches play no part.
  DISPLAY=:$number HOME=$wm_home XDG_CONFIG_HOME=$wm_home XDG_CACHE_HOME=$wm_home \
    openbox --sm-disable >/dev/null 2>&1 &
  wm=$!
  # The window manager owns the screen once it names its check window on the root.
  for _ in $(seq 200); do
    DISPLAY=:$number xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    kill -0 $wm 2>/dev/null || break
    sleep 0.1
  done
  DISPLAY=:$number xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' ||
    { echo "FAIL: openbox did not take the screen"; exit 1; }
fi
DISPLAY=:$number "$@"

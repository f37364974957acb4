#!/usr/bin/env bash
# A Wayland session as a desktop has it: Weston (headless) with XWayland, Qt's Wayland platform
# installed. Korvane runs on XWayland, where it can put its window back in its place, unless
# the user names a platform.
# Usage: wayland_e2e.sh <folder with korvane and its data>. Exit 77 (skipped) without Weston.
set -uo pipefail
bin=$(cd "${1:?program folder}" && pwd)
command -v weston >/dev/null && command -v Xwayland >/dev/null || { echo "skip: no weston"; exit 77; }
. "$(dirname "$0")/e2e_helpers.sh"
work=$(mktemp -d)
pid=
weston_pid=
trap '[ -n "$pid" ] && kill $pid 2>/dev/null; [ -n "$weston_pid" ] && kill $weston_pid 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=$work/run XDG_CONFIG_HOME=$work/config HOME=$work/home
mkdir -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME" "$HOME" && chmod 700 "$XDG_RUNTIME_DIR"
log=$work/log

weston --backend=headless-backend.so --socket=korvane-wayland --xwayland --idle-time=0 \
  --log="$work/weston.log" >/dev/null 2>&1 &
weston_pid=$!
display=
for _ in $(seq 100); do
  display=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$work/weston.log" 2>/dev/null)
  [ -n "$display" ] && break
  sleep 0.1
done
[ -n "$display" ] || { echo "FAIL: Weston started no XWayland"; cat "$work/weston.log"; exit 1; }
ffmpeg -v error -f lavfi -i "testsrc2=duration=60:size=160x120:rate=10" -c:v libx264 \
  -preset ultrafast -pix_fmt yuv420p "$work/clip.mp4" || exit 1

# The session as a Wayland desktop sets it up; no platform named. Started directly, so that $! is
# the player itself.
session=(env -u QT_QPA_PLATFORM XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=korvane-wayland
  DISPLAY="$display" QT_LOGGING_RULES="korvane.*.debug=true")
on_x() { DISPLAY=$display xdotool search --name '^Korvane' 2>/dev/null | head -1; }
wait_on_x() { for _ in $(seq 200); do [ -n "$(on_x)" ] && return 0; sleep 0.1; done; return 1; }

"${session[@]}" "$bin/korvane" "$work/clip.mp4" >"$log" 2>&1 &
pid=$!
check "Korvane chooses XWayland in a Wayland session" wait_for "platform xcb for a Wayland session"
check "its window is an X window on XWayland" wait_on_x
check "the clip plays" wait_for "engine state Engine::Playing"
sleep 1
# The player paints the video: the engine opens no window of its own ("VLC media player").
check "the video is drawn inside Korvane's window" \
  [ -z "$(DISPLAY=$display xdotool search --name 'VLC media player' 2>/dev/null)" ]
check "the player runs" kill -0 "$pid"
kill "$pid"; wait "$pid" 2>/dev/null; pid=

# A platform the user names is kept: Qt's Wayland platform, so no X window appears.
rm -f "$XDG_CONFIG_HOME/Korvane/store.ini"
: >"$log"
"${session[@]}" QT_QPA_PLATFORM=wayland "$bin/korvane" "$work/clip.mp4" >"$log" 2>&1 &
pid=$!
check "a named platform is kept" wait_for "engine state Engine::Playing"
check "and no X window of Korvane's appears" [ -z "$(on_x)" ]
check "nor is XWayland chosen" bash -c "! grep -q 'platform xcb' '$log'"
[ "$failures" -eq 0 ] || { echo "--- log"; cat "$log"; }
exit "$failures"

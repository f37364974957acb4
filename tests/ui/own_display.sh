#!/usr/bin/env bash
# Runs a command on an X display of its own: Xvfb picks a free display number itself and says
# which (-displayfd), so window tests running side by side never share or race for a number.
# Usage: own_display.sh COMMAND [ARGUMENTS...]
set -uo pipefail
number_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$number_file" 2>/dev/null &
server=$!
trap 'kill $server 2>/dev/null; wait $server 2>/dev/null; rm -f "$number_file"' EXIT
for _ in $(seq 100); do
  [ -s "$number_file" ] && break
  kill -0 $server 2>/dev/null || break
  sleep 0.1
done
number=$(tr -dc 0-9 <"$number_file")
[ -n "$number" ] || { echo "FAIL: Xvfb did not start"; exit 1; }
DISPLAY=:$number "$@"

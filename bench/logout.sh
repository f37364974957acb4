#!/usr/bin/env bash
# Ten logouts of each kind (display gone, SIGTERM and display gone at once, SIGTERM alone) with a
# 1080p clip playing under openbox; prints the seconds each took to end and fails when any end
# took longer than 3 s or lost what it had to save.
# Usage: bench/logout.sh [build folder] [rounds]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
rounds=${2:-10}
source "$here/../scripts/sound-server.sh"
out=$(mktemp)
KORVANE_LOGOUT_CLIP_SIZE=1920x1080 "$here/../tests/ui/logout_e2e.sh" "$build/bin" "$rounds" 2>/dev/null | tee "$out" | grep -v '^ok:'
status=${PIPESTATUS[0]}
for how in display both term; do
  grep "($how)" "$out" | awk -v how="$how" '{ t = $3 + 0; n++; s += t; if (t > m) m = t }
    END { printf "%-8s %2d ends: mean %.2f s, longest %.2f s\n", how, n, s / n, m }'
done
slow=$(awk '/^ended after/ && $3 + 0 > 3 { n++ } END { print n + 0 }' "$out")
rm -f "$out"
[ "$slow" -eq 0 ] || { echo "goal missed: $slow ends took longer than 3 s"; exit 1; }
exit "$status"

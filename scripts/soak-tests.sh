#!/usr/bin/env bash
# Runs the end-to-end and window tests (CTest labels "system" and "window") RUNS times in a row,
# alternately off screen and on a real X display as .ci/run does, and prints per test how often
# it failed. A test that fails once in ten runs fails a CI run sooner or later.
# Usage: scripts/soak-tests.sh [RUNS]   (default 10; the build folder is $KORVANE_BUILD_DIR or build)
set -uo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)
runs=${1:-10}
scripts/setup.sh >/dev/null || exit 1
# shellcheck source=scripts/sound-server.sh
source scripts/sound-server.sh
build=$(cd "${KORVANE_BUILD_DIR:-build}" && pwd)
results=$(mktemp -d)
trap 'rm -rf "$results"' EXIT

run_once() { # number, display kind
  local run=$1 kind=$2 started=$SECONDS
  local ctest_cmd=(ctest --output-on-failure --timeout 600 -j "$(nproc)" -L 'system|window')
  if [ "$kind" = x ]; then
    (cd "$build" && "$repo/tests/ui/own_display.sh" \
      env QT_QPA_PLATFORM=xcb KORVANE_PROBE=program "${ctest_cmd[@]}") >"$results/run-$run.log" 2>&1
  else
    (cd "$build" && "${ctest_cmd[@]}") >"$results/run-$run.log" 2>&1
  fi
  local status=$?
  # CTest names the failed tests in this file, and leaves it out when none failed.
  local failed="$build/Testing/Temporary/LastTestsFailed.log"
  if [ $status -ne 0 ] && [ -f "$failed" ]; then
    cut -d: -f2- "$failed" >"$results/failed-$run"
    cp "$results/run-$run.log" "$build/Testing/soak-run-$run.log"
  else
    : >"$results/failed-$run"
  fi
  grep -hoE '^[0-9]+% tests passed.*' "$results/run-$run.log" | sed "s/^/run $run ($kind, $((SECONDS - started)) s): /"
}

for run in $(seq "$runs"); do
  if [ $((run % 2)) -eq 0 ]; then run_once "$run" x; else run_once "$run" offscreen; fi
done

echo
echo "failures per test in $runs runs:"
total=$(cat "$results"/failed-* | wc -l)
(cd "$build" && ctest -N -L 'system|window' | sed -n 's/^ *Test *#[0-9]*: //p') | sort >"$results/all"
while read -r name; do
  count=$(grep -cxF -- "$name" "$results"/failed-* | awk -F: '{s += $2} END {print s + 0}')
  [ "$count" -gt 0 ] && printf '%4d  %s\n' "$count" "$name"
done <"$results/all"
echo "$(wc -l <"$results/all") tests, $total failures; logs of failed runs in $build/Testing/soak-run-*.log"
[ "$total" -eq 0 ]

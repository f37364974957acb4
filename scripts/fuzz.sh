#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang in build-fuzz (the parsers under the
# address and undefined-behaviour sanitizers) and runs each on its seed corpus.
#
#   scripts/fuzz.sh [libFuzzer options...]   default: -max_total_time=20
#   FUZZ_TARGETS="fuzz_riff fuzz_store_file" scripts/fuzz.sh -runs=100000
#
# Each target's new inputs go to build-fuzz/corpus/<name> (the repository's seeds stay as they
# are); a crash, leak or broken invariant leaves its input in build-fuzz/findings and fails the
# script. The last line of each target's log ("Done N runs in S second(s)") is printed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${KORVANE_FUZZ_BUILD_DIR:-build-fuzz}
options=("$@")
if [ ${#options[@]} -eq 0 ]; then
  options=(-max_total_time=20)
fi

export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root}
if [ ! -f "$build/CMakeCache.txt" ]; then
  mkdir -p "$build"
  CC=clang CXX=clang++ cmake -S . -B "$build" -DKORVANE_FUZZ=ON -DKORVANE_TESTS=OFF \
    -DKORVANE_BENCH=OFF -DBUILD_WERROR="${BUILD_WERROR:-ON}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    >"$build/configure.log" 2>&1 || { cat "$build/configure.log"; exit 1; }
fi
cmake --build "$build" --parallel "${FUZZ_JOBS:-2}" --target korvane_fuzzers

targets=${FUZZ_TARGETS:-$(cd tests/fuzz && ls fuzz_*.cpp | sed 's/\.cpp$//')}
mkdir -p "$build/findings"
failed=()
for target in $targets; do
  name=${target#fuzz_}
  corpus="$build/corpus/$name"
  mkdir -p "$corpus"
  log="$build/findings/$target.log"
  # Leaks are findings too; the sanitizers stop at the first report.
  if ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    "$build/bin/$target" "${options[@]}" -artifact_prefix="$build/findings/$target-" \
    -print_final_stats=1 "$corpus" "tests/fuzz/corpus/$name" >"$log" 2>&1; then
    echo "$target: $(grep -E '^Done [0-9]+ runs' "$log" | tail -n 1)"
  else
    echo "$target: FAILED (log: $log)"
    grep -E 'ERROR|invariant broken|SUMMARY|Test unit written' "$log" | head -n 10 || true
    failed+=("$target")
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz findings in: ${failed[*]}"
  exit 1
fi

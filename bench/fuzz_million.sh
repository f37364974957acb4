#!/usr/bin/env bash
# Runs every libFuzzer target of tests/fuzz for a million inputs and prints, for each, the runs
# and seconds libFuzzer reports, and whether it found anything (see scripts/fuzz.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
exec scripts/fuzz.sh -runs=1000000 "$@"

#!/usr/bin/env bash
# Builds Korvane and runs the whole test suite; prints CTest's summary.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cd "${KORVANE_BUILD_DIR:-build}"
ctest --output-on-failure --timeout 600 -j "$(nproc)"

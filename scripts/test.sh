#!/usr/bin/env bash
# Builds Korvane and runs the whole test suite, with a sound server running; prints CTest's
# summary.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
# shellcheck source=scripts/sound-server.sh
source scripts/sound-server.sh
cd "${KORVANE_BUILD_DIR:-build}"
ctest --output-on-failure --timeout 600 -j "$(nproc)"

#!/usr/bin/env bash
# Builds Korvane and starts it on the given file, or on the bundled sample clip.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
player=build/bin/korvane
if [ $# -eq 0 ]; then
  set -- "$PWD/build/bin/sample.mp4"
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x800x24" "$player" "$@"
fi
exec "$player" "$@"

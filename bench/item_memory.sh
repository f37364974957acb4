#!/bin/sh
# Resident memory over 200 items of real playback: a real X window (Xvfb) and a real sound
# server (pulseaudio on a null sink, started here when none runs). Both modes, one after another.
#   bench/item_memory.sh [build dir] [items]
set -eu
build=${1:-build}
items=${2:-200}
program="$build/bin/bench_item_memory"
runtime=$(mktemp -d)
trap 'pulseaudio --kill >/dev/null 2>&1 || true; rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR="$runtime"
if ! pactl info >/dev/null 2>&1; then
    pulseaudio --daemonize=yes --exit-idle-time=-1 --disallow-exit -n \
        -L module-native-protocol-unix -L "module-null-sink sink_name=korvane_null" \
        -L module-always-sink >/dev/null 2>&1
    sleep 1
fi
pactl info | grep -i "default sink" || true
for mode in "" --fresh-instance; do
    KORVANE_AOUT=pulse xvfb-run -a -s "-screen 0 1280x800x24" \
        env QT_QPA_PLATFORM=xcb "$program" "$items" $mode
done

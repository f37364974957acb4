#!/bin/bash
# The ways of keeping a paused picture with libVLC 3's own video output, measured on the same
# display as the other scripts (Xvfb under openbox, a PulseAudio null sink): CPU paused with the
# output as it is, with its window shrunk, with the video track released, and what a released
# track costs on resume; then libVLC drawing into memory with Qt painting the frames, beside the
# OpenGL output in the same process. One clip with the encoder's default key-frame interval
# (10 s), one with a key frame every 2 s.
#   bench/paused_ways.sh [BIN_DIR] [SECONDS]
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
korvane_bin=$(cd "${1:-$root/build/bin}" && pwd)
seconds=${2:-10}
. "$root/bench/lib.sh"
bench_start_session
long_gop=$(bench_clip paused-gop250 1920x1080 45)
short_gop=$bench_work/paused-gop50.mp4
ffmpeg -nostdin -v error -y -f lavfi -i "testsrc2=size=1920x1080:rate=25:duration=45" \
    -f lavfi -i "sine=frequency=440:duration=45" -c:v libx264 -preset veryfast -g 50 \
    -pix_fmt yuv420p -c:a aac -shortest "$short_gop" || exit 2
for clip in "$long_gop" "$short_gop"; do
    echo "== ${clip##*/}, 1080p full screen, screen $bench_screen, CPU over $seconds s"
    QT_QPA_PLATFORM=xcb "$korvane_bin/bench_paused_ways" "$clip" "$seconds" || exit 2
    QT_QPA_PLATFORM=xcb "$korvane_bin/bench_paused_frames" "$clip" "$seconds" || exit 2
done

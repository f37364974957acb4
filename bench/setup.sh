#!/bin/sh
# Prepares this machine for the side-by-side benchmarks (run as root, once):
#   - the peers and the tools the scripts use;
#   - an unprivileged user for cvlc, which refuses to run as root. The scripts open their X
#     display (xhost +si:localuser:NAME) and their PulseAudio socket to it when they start.
set -eu
user=${KORVANE_BENCH_USER:-korvbench}
export DEBIAN_FRONTEND=noninteractive
missing=
for package in mpv vlc-bin vlc-plugin-base vlc-plugin-video-output heaptrack openbox xvfb xauth \
    xdotool x11-xserver-utils pulseaudio pulseaudio-utils procps ffmpeg; do
    dpkg -s "$package" >/dev/null 2>&1 || missing="$missing $package"
done
if [ -n "$missing" ]; then
    apt-get install -y --no-install-recommends $missing
fi
if ! id "$user" >/dev/null 2>&1; then
    useradd --system --create-home --shell /usr/sbin/nologin "$user"
fi
echo "benchmark user: $user"

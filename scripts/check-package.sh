#!/usr/bin/env bash
# Builds the Debian package and installs it with apt on a fresh Debian 12 made by debootstrap in
# a scratch folder, then starts the installed player there under Xvfb on a generated clip.
# Run as root; it needs the network to reach Debian's mirror.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
command -v debootstrap >/dev/null ||
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap >/dev/null
(cd build && cpack -G DEB >/dev/null)
package=$(ls -t build/korvane_*.deb | head -1)
root=$(mktemp -d /var/tmp/korvane-debian12.XXXXXX)
cleanup() {
  umount "$root/proc" 2>/dev/null || true
  rm -rf "$root"
}
trap cleanup EXIT
echo "Making a fresh Debian 12 in $root"
debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian >/dev/null
mount -t proc proc "$root/proc"
cp "$package" "$root/tmp/"
ffmpeg -v error -f lavfi -i testsrc2=duration=3:size=320x240:rate=25 -c:v libx264 \
  -pix_fmt yuv420p "$root/tmp/clip.mp4"
echo "Installing $(basename "$package") with apt"
chroot "$root" apt-get update -qq
chroot "$root" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
  "./tmp/$(basename "$package")" xvfb xauth x11-utils >/dev/null
chroot "$root" sh -c 'command -v korvane && ls /usr/share/applications/korvane.desktop'
chroot "$root" env HOME=/tmp XDG_RUNTIME_DIR=/tmp/run sh -c '
  mkdir -p -m 700 /tmp/run
  xvfb-run -a sh -c "korvane /tmp/clip.mp4 & p=\$!; sleep 6; shown=1
    xwininfo -root -tree | grep 388x515 | grep -q korvane && shown=0
    kill \$p; wait \$p
    [ \$shown = 0 ] && echo \"the installed player shows its 388 x 515 window\"
    exit \$shown"'

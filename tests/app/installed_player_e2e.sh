#!/bin/sh
# Installs Korvane into a scratch prefix, checks what the desktop reads (launcher, desktop entry,
# icons, metainfo), then starts the installed player on its own session bus and display and
# drives it with playerctl as media keys and desktop widgets do.
# Usage: installed_player_e2e.sh <build folder> <clip>
set -eu
build=$1
clip=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix=$scratch/prefix

cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/korvane lib/korvane/korvane lib/korvane/DVD.jpg lib/korvane/images \
         share/applications/korvane.desktop share/icons/hicolor/scalable/apps/korvane.svg \
         share/icons/hicolor/256x256/apps/korvane.png \
         share/metainfo/io.github.korvane.Korvane.metainfo.xml share/man/man1/korvane.1.gz; do
    [ -e "$prefix/$f" ] || { echo "missing: $f"; exit 1; }
done
[ "$(readlink "$prefix/bin/korvane")" = "../lib/korvane/korvane" ] || { echo "launcher is no link"; exit 1; }
size=$(identify -format '%wx%h' "$prefix/share/icons/hicolor/256x256/apps/korvane.png")
[ "$size" = "256x256" ] || { echo "icon is $size"; exit 1; }
desktop-file-validate "$prefix/share/applications/korvane.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/io.github.korvane.Korvane.metainfo.xml" >/dev/null
# The manual page reads without a warning, and the installed program answers without a display.
warnings=$(zcat "$prefix/share/man/man1/korvane.1.gz" | groff -man -ww -z 2>&1)
[ -z "$warnings" ] || { echo "man page: $warnings"; exit 1; }
version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/korvane" --version)
case "$version" in "Korvane "[0-9]*.[0-9]*.[0-9]*) ;; *) echo "--version gave: $version"; exit 1 ;; esac
env -u DISPLAY "$prefix/bin/korvane" --help | grep -q -- '--version' || { echo "--help"; exit 1; }

cat > "$scratch/drive.sh" <<SCRIPT
#!/bin/sh
set -u
export HOME=$scratch/home XDG_CONFIG_HOME=$scratch/home/config XDG_RUNTIME_DIR=$scratch/home/run
mkdir -p "\$XDG_RUNTIME_DIR" && chmod 700 "\$XDG_RUNTIME_DIR"
"$prefix/bin/korvane" "$clip" >/dev/null 2>&1 &
pid=\$!
status=""
for i in \$(seq 1 100); do
    status=\$(playerctl -p korvane status 2>/dev/null || true)
    [ "\$status" = "Playing" ] && break
    sleep 0.1
done
fail() { echo "\$1"; kill \$pid; exit 1; }
[ "\$status" = "Playing" ] || fail "status: \$status"
title=\$(playerctl -p korvane metadata title)
[ "\$title" = "$(basename "$clip")" ] || fail "title: \$title"
playerctl -p korvane position 1
sleep 0.5
pos=\$(playerctl -p korvane position | cut -d. -f1)
[ "\$pos" -le 2 ] || fail "position after seek: \$pos"
playerctl -p korvane play-pause
sleep 0.5
status=\$(playerctl -p korvane status)
[ "\$status" = "Paused" ] || fail "after play-pause: \$status"
kill \$pid
wait \$pid || true
echo "installed player answered playerctl"
SCRIPT
chmod +x "$scratch/drive.sh"
if [ -n "${DISPLAY:-}" ]; then
    dbus-run-session -- env QT_QPA_PLATFORM=xcb "$scratch/drive.sh"
else
    dbus-run-session -- xvfb-run -a -s "-screen 0 1280x800x24" env QT_QPA_PLATFORM=xcb "$scratch/drive.sh"
fi

#!/usr/bin/env bash
# The keys, the wheel, the track menus, snapshots and the full-screen control band, on a film with
# two audio languages, an embedded subtitle and a subtitle file beside it, under a window manager.
# Usage: controls_e2e.sh <folder with korvane and its data>. It starts its own display.
set -uo pipefail
bin=$(cd "${1:?program folder}" && pwd)
if [ -z "${DISPLAY:-}" ] || [ -z "${KORVANE_E2E_INNER:-}" ]; then
  KORVANE_E2E_INNER=1 exec "$(dirname "$0")/own_display.sh" "$0" "$bin"
fi
. "$(dirname "$0")/e2e_helpers.sh"
. "$(dirname "$0")/desktop_helpers.sh"
shots=${KORVANE_SHOTS:-$work/shots} # KORVANE_SHOTS keeps the screenshots
mkdir -p "$shots"

write_settings # snapshots: $HOME/Pictures, prefix IMG_, preview on, JPG
printf '1\n00:00:00,000 --> 00:02:00,000\nfrom the file beside\n' >"$work/film.srt"
printf '1\n00:00:00,000 --> 00:02:00,000\nembedded\n' >"$work/embedded.srt"
ffmpeg -v error -f lavfi -i testsrc2=duration=120:size=320x180:rate=10 \
  -f lavfi -i sine=frequency=440:duration=120 -f lavfi -i sine=frequency=880:duration=120 \
  -i "$work/embedded.srt" -map 0:v -map 1:a -map 2:a -map 3:s -c:v libx264 -preset ultrafast \
  -pix_fmt yuv420p -c:a aac -c:s srt -metadata:s:a:0 language=eng -metadata:s:a:1 language=ger \
  -metadata:s:s:0 language=eng "$work/film.mkv" || exit 1

start_player "$work/film.mkv"
check "the window opens where the settings put it" wait_geometry "100 100 388 515"
xdotool windowactivate --sync "$wid" 2>/dev/null
check "the film plays" wait_for "playing"
check "the video draws" video_draws
sleep 1

# Each key of the playing film, pressed once: the command it gives and the line that follows.
while read -r keys command follows; do
  commands=$(count "command $command\$")
  lines=$(count "$follows")
  key "$keys"
  check "$keys gives $command" wait_count "command $command\$" $((commands + 1))
  check "$keys: $follows" wait_count "$follows" $((lines + 1))
done <<'KEYS'
space       PlayPause       engine state.*Paused
space       PlayPause       engine state.*Playing
Right       SeekForward     : seek [0-9]
Left        SeekBack        : seek [0-9]
shift+Right SeekForwardLong : seek [0-9]
shift+Left  SeekBackLong    : seek [0-9]
Down        VolumeDown      : volume 95$
Up          VolumeUp        : volume 100$
m           Mute            : mute on$
m           Mute            : mute off$
KEYS

# The wheel over the video is the volume.
read -r vx vy <<<"$(video_centre $(geometry))"
xdotool mousemove "$vx" "$vy" sleep 0.3 click 5
check "the wheel turned down over the video lowers the volume" wait_count ": volume 95$" 2

# Play → Audio Track → the second language: the menu bar's Play title, then up from the bottom.
play_title() { xdotool mousemove $((100 + 28)) $((100 + 40)) click 1; sleep 0.5; key Right; }
play_title; key Up; key Up; key Up; key Up; key Right; key Down
shot audio-track-menu
key Return
check "the second audio track is chosen from the menu" wait_for "command AudioTrack1"
check "the engine switches to it" wait_for ": audio track [0-9]"

# Play → Subtitle → Off.
play_title; key Up; key Up; key Up; key Right
shot subtitle-menu
key Return
check "Subtitle → Off is chosen" wait_for "command SubtitleOff"
check "subtitles go off" wait_for ": subtitle track -1$"

# Play → Subtitle → Open Subtitle File...: the chosen file joins the item's subtitles.
printf '1\n00:00:00,000 --> 00:02:00,000\nchosen\n' >"$work/chosen.srt"
play_title; key Up; key Up; key Up; key Right; key Up; key Return
check "Open Subtitle File... asks for a file" wait_window "Open Subtitle File"
xdotool type --delay 20 "$work/chosen.srt"; key Return
check "the chosen file is added to the item" wait_for ": subtitle file .*chosen.srt"
xdotool windowactivate --sync "$wid" 2>/dev/null; sleep 0.5

key shift+s
check "Shift+S takes a snapshot" wait_for ": snapshot /"
snap=$(grep -o ': snapshot /.*' "$log" | head -1 | cut -c12-)
check "it lies in the item's folder under the prefix" [ "$snap" = "$HOME/Pictures/film.mkv Images/IMG_0001.jpg" ]
check "it is a JPEG at the video's own size" \
  [ "$(identify -format '%m %w %h' "$snap" 2>/dev/null)" = "JPEG 320 180" ]
check "it holds a picture, not an empty file" [ "$(stat -c %s "$snap" 2>/dev/null || echo 0)" -gt 1000 ]

# Full screen: the band over the bottom shows while the pointer moves and goes 2 s after.
band() { brightness 640 785; }
key f
check "F switches full screen on" wait_for "full screen on"
check "the window covers the screen" wait_geometry "0 0 1280 800"
sleep 2.5
dark=$(band)
xdotool mousemove 600 400 sleep 0.2 mousemove 640 420
shown() { for _ in $(seq 30); do [ "$(band)" -ge $((dark + 10)) ] && return 0; sleep 0.1; done; return 1; }
check "moving the pointer shows the control band (brightness $dark before)" shown
shot fullscreen-band
cp "$shots/fullscreen-band.png" "$work/band.png" 2>/dev/null
check "the screenshot with the band was taken" [ -s "$work/band.png" ]
gone() { for _ in $(seq 50); do [ "$(band)" -le $((dark + 5)) ] && return 0; sleep 0.1; done; return 1; }
check "the band goes once the pointer stands still" gone
key Escape
check "Esc leaves full screen" wait_for "full screen off"
check "the window is back at its place and size" wait_geometry "100 100 388 515"
key F11
check "F11 switches full screen on" wait_count "full screen on" 2
key F11
check "F11 switches it off" wait_count "full screen off" 2

[ $failures -eq 0 ] || { echo "--- log"; cat "$log"; }
exit $failures

#!/usr/bin/env bash
# How files reach the playlist, tried through the real program: several files on the command
# line (two taken in, two refused with a message naming each), a folder handed over by a second
# start, a mix of names handed over in one message, File → Open → Open Folder..., and the
# command-line questions that must never start or reach a player.
# Usage: intake_e2e.sh <folder with korvane and its data> [folder for screenshots].
# Without a display it starts its own.
set -uo pipefail
bin=$(cd "${1:?program folder}" && pwd)
shots=${2:-}
if [ -z "${DISPLAY:-}" ] || [ -z "${KORVANE_E2E_INNER:-}" ]; then
  KORVANE_E2E_INNER=1 exec "$(dirname "$0")/own_display.sh" "$0" "$bin" "$shots"
fi
. "$(dirname "$0")/e2e_helpers.sh"
. "$(dirname "$0")/desktop_helpers.sh"
export QT_LOGGING_RULES="$QT_LOGGING_RULES;korvane.playlist.debug=true;korvane.app.debug=true"
[ -n "$shots" ] || shots=$work/shots
mkdir -p "$shots"

media=$work/media
mkdir -p "$media/clips/more" "$media/folder"
ffmpeg -v error -f lavfi -i "testsrc2=duration=20:size=160x120:rate=10" \
  -f lavfi -i "sine=frequency=400:duration=20" -c:v libvpx -deadline realtime \
  -c:a libvorbis -shortest "$media/good.webm" || exit 1
ffmpeg -v error -f lavfi -i "sine=frequency=500:duration=3" -c:a flac "$media/tone.flac" || exit 1
ffmpeg -v error -f lavfi -i "testsrc2=duration=1:size=64x48:rate=5" -c:v libx264 \
  -preset ultrafast -pix_fmt yuv420p "$work/clip.mp4" || exit 1
echo "Just words, no pictures." >"$media/fake.mp4"
# Thirty clips, eighteen of them one folder down; numbers sort as numbers.
for i in $(seq 1 30); do
  if [ "$i" -le 12 ]; then cp "$work/clip.mp4" "$media/clips/clip $i.mp4"
  else cp "$work/clip.mp4" "$media/clips/more/clip $i.mp4"; fi
done
echo "cover art" >"$media/clips/cover.jpg"
for name in b a; do cp "$work/clip.mp4" "$media/folder/$name.m2ts"; done

# Several names on one command line: in order, the first taken in plays.
start_player "$media/fake.mp4" "$media/good.webm" "$media/missing.mkv" "$media/tone.flac"
check "the webm is taken in" wait_for "accepted $media/good.webm"
check "the flac is taken in" wait_for "accepted $media/tone.flac"
check "the first file taken in plays" wait_for "playing 0 $media/good.webm"
check "a text file named .mp4 is named in a message with the decoder's reason" \
  wait_for "message: Korvane - Cannot open file <$media/fake.mp4>"
check "a missing file is named in a message" \
  wait_for "message: Korvane - Cannot open file <$media/missing.mkv>"
check "and nothing else was taken in ($(count 'accepted '))" [ "$(count 'accepted ')" -eq 2 ]
check "nothing else played" [ "$(count 'playback: playing ')" -le 1 ]
shot command-line

# --version and --help answer at once, with no window and no hand-over.
version=$(env -u DISPLAY "$bin/korvane" --version)
version_line() { grep -Eqx 'Korvane [0-9]+\.[0-9]+\.[0-9]+' <<<"$version"; }
check "--version prints the version ($version)" version_line
check "--help prints the usage" bash -c "'$bin/korvane' --help | grep -q 'korvane \[FILE | FOLDER\]'"
sleep 0.5
check "neither reached the running player" [ "$(count 'received:')" -eq 0 ]

# A folder from a second start: its media files, sub-folder included, sorted by name.
"$bin/korvane" "$media/clips" '*Add' >/dev/null 2>&1
check "a second start hands the folder over" wait_for "received: $media/clips \*Add"
check "its thirty clips are taken in" wait_count "accepted $media/clips/" 30
expected=$(for i in $(seq 1 12); do echo "$media/clips/clip $i.mp4"; done
           for i in $(seq 13 30); do echo "$media/clips/more/clip $i.mp4"; done)
actual=$(grep -o "accepted $media/clips/.*" "$log" | sed 's/^accepted //')
check "in name order, numbers as numbers" [ "$actual" = "$expected" ]
check "the folder's other files raise no message" bash -c "! grep -q 'cover.jpg' '$log'"
check "added, not played" [ "$(count 'playback: playing ')" -le 1 ]

# Several names handed over in one message; each refusal is named.
"$bin/korvane" "$media/notes.txt" "$media/tone.flac" "$media/folder/b.m2ts" >/dev/null 2>&1
check "a second start hands several names over in one message" wait_for "received: \*Files file://"
check "a file of another type is named" \
  wait_for "message: Korvane - Cannot open file <$media/notes.txt>"
check "a file already there is named" wait_for 'message: Media Player - "tone.flac" is already'
check "the new file is taken in" wait_for "accepted $media/folder/b.m2ts"
shot handed-over

# The four messages so far are on screen, and are answered as a user would before using the menu:
# openbox gives the focus to a box as it maps, which would close a menu opened a moment before.
boxes() { xdotool search --onlyvisible --name '^(Korvane|Media Player)$' 2>/dev/null; }
wait_boxes() { for _ in $(seq 200); do [ "$(boxes | wc -l)" -eq "$1" ] && return 0; sleep 0.1; done; return 1; }
check "the four messages show" wait_boxes 4
for box in $(boxes); do
  xdotool windowactivate --sync "$box" 2>/dev/null; sleep 0.3
  key Return
done
check "each closes on Return" wait_boxes 0

# File → Open → Open Folder...: the dialog, a typed folder, its files in name order.
focus() { xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"; sleep 0.3; }
eval "$(xdotool getwindowgeometry --shell "$wid")"
focus
xdotool mousemove $((X + 28)) $((Y + 40)) click 1; sleep 0.5
key Down; key Right; key Down; key Return
check "File → Open → Open Folder... runs the command" wait_for "command OpenFolder"
check "the folder dialog shows" wait_window '^Open Folder$'
sleep 0.5
shot folder-dialog
xdotool type --delay 20 "$media/folder"; sleep 0.3
key Return
check "the dialog closes" wait_gone '^Open Folder$'
check "the folder's first file by name is taken in" wait_for "accepted $media/folder/a.m2ts"
check "and plays" wait_for "playing .* $media/folder/a.m2ts"
check "the one already there is named, not added twice" \
  wait_for 'message: Media Player - "b.m2ts" is already'
shot open-folder

kill -0 "$pid" && check "the player runs throughout" true || check "the player runs throughout" false
[ "$failures" -eq 0 ] || { echo "--- log"; cat "$log"; }
exit "$failures"

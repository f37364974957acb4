#!/bin/sh
# Regenerates the recorded decoder outputs: small files made by ffmpeg from its built-in sources,
# each described by "ffmpeg -i file:<path> -analyzeduration 30000" (the probe's own command),
# standard output and standard error merged as the runner does. Fixture names are the file names.
set -e
out=$(cd "$(dirname "$0")" && pwd)
dir=/tmp/korvane-ffmpeg
rm -rf "$dir" && mkdir -p "$dir" && cd "$dir"
ff() { ffmpeg -nostdin -loglevel error -y "$@"; }
v="-f lavfi -i testsrc=d=2:s=160x120:r=25"
a="-f lavfi -i sine=d=2:sample_rate=44100"
ff $v $a -c:v libx264 -preset ultrafast -c:a aac h264-aac.mkv
ff $v $a -c:v libx264 -preset ultrafast -c:a aac h264-aac.mp4
ff $v $a -c:v mpeg4 -c:a pcm_s16le -ar 22050 -ac 1 mpeg4-pcm.avi
ff $v $a -c:v msmpeg4v3 -c:a mp3 msmpeg4v3-mp3.avi
ff $a -c:a pcm_s16le tone.wav
ff $a -ac 2 -c:a libmp3lame -b:a 128k stereo.mp3
ff $v $a -c:v flv1 -c:a mp3 -ar 44100 flv1-mp3.flv
ff $v $a -c:v libtheora -c:a libvorbis theora-vorbis.ogg
ff $v $a -c:v mpeg1video -c:a mp2 -f mpeg mpeg1.mpg
ff -f lavfi -i testsrc=d=2:s=720x576:r=25 $a -c:v mpeg2video -aspect 16:9 -c:a ac3 -f vob mpeg2-ac3.mpg
ff $v $a -c:v libx264 -preset ultrafast -c:a aac -f mov h264-aac.mov
ff $v $a -c:v h263 -s 176x144 -c:a aac -ar 8000 -ac 1 h263-aac.3gp
ff $v $a -c:v wmv2 -c:a wmav2 wmv2-wmav2.wmv
ff $v $a -c:v wmv1 -c:a wmav1 wmv1-wmav1.asf
ff $a -c:a libvorbis vorbis.mka
ff $a -c:a aac tone.m4a
ff $a -c:a aac tone.aac
ff -f lavfi -i "sine=d=2:sample_rate=48000" -af "pan=5.1|c0=c0|c1=c0|c2=c0|c3=c0|c4=c0|c5=c0" -c:a ac3 surround-5.1.mka
ff -f lavfi -i "sine=d=2:sample_rate=48000" -af "pan=quad|c0=c0|c1=c0|c2=c0|c3=c0" -c:a flac quad.mka
ff -f lavfi -i testsrc=d=1:s=160x120:r=1000 -c:v mpeg4 fps-1000.avi
ff -f lavfi -i "sine=d=2:sample_rate=48000" -af "pan=7.1|c0=c0|c1=c0|c2=c0|c3=c0|c4=c0|c5=c0|c6=c0|c7=c0" -c:a flac surround-7.1.mka
ff $v -f lavfi -i testsrc=d=2:s=320x240:r=25 $a -map 0 -map 1 -map 2 -c:v mpeg4 -c:a mp3 two-video.mkv
ff $v -c:v libvpx -b:v 200k vp8.webm.mkv
ff $v $a -c:v mjpeg -c:a pcm_s16le mjpeg-pcm.avi
ff -f lavfi -i testsrc=d=2:s=1920x1080:r=25 -frames:v 5 -c:v libx264 -preset ultrafast hd-1080.mkv
ff $v $a -c:v libx264 -preset ultrafast -c:a aac -map 0:v -map 1:a -map 1:a -metadata:s:a:1 language=eng two-audio.mkv
: > empty.avi
head -c 3000 h264-aac.mp4 > truncated.mp4
head -c 20000 /dev/urandom > random.avi
printf 'Hello, this is not a video.\n' > text.mkv
cp mpeg4-pcm.avi "Unknown format Input Video: .avi"
for f in *; do
    ffmpeg -nostdin -i "file:$dir/$f" -analyzeduration 30000 >"$out/$f.txt" 2>&1 || true
done

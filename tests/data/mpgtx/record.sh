#!/bin/sh
# Regenerates the recorded mpgtx outputs: small clips made by ffmpeg from its built-in sources,
# probed with "mpgtx -i <path>", standard output and standard error merged as the runner does.
set -e
out=$(cd "$(dirname "$0")" && pwd)
dir=/tmp/korvane-mpgtx
rm -rf "$dir" && mkdir -p "$dir" && cd "$dir"
ff() { ffmpeg -nostdin -loglevel error -y "$@"; }
ff -f lavfi -i testsrc=d=2 -f lavfi -i sine=d=2 -c:v mpeg1video -c:a mp2 -f mpeg mpeg1.mpg
ff -f lavfi -i testsrc=d=2:s=720x576:r=25 -f lavfi -i sine=d=2 -c:v mpeg2video -b:v 4M \
   -aspect 16:9 -c:a mp2 -f vob mpeg2-16x9.mpg
ff -f lavfi -i testsrc=d=2:s=720x480:r=30000/1001 -f lavfi -i sine=d=2 -c:v mpeg2video \
   -flags +ilme+ildct -top 1 -aspect 4:3 -c:a mp2 -f vob mpeg2-interlaced.mpg
ff -f lavfi -i testsrc=d=1:s=352x288 -c:v mpeg2video -aspect 2.21 -f mpeg2video elementary.m2v
ff -f lavfi -i sine=d=2 -c:a mp2 -f mpeg audio-only.mpg
ff -f lavfi -i testsrc=d=1 -c:v mpeg4 not-mpeg.avi
cp mpeg1.mpg "25 fps interlaced 9.8 Mbps.mpg"
for f in mpeg1.mpg mpeg2-16x9.mpg mpeg2-interlaced.mpg elementary.m2v audio-only.mpg \
         not-mpeg.avi "25 fps interlaced 9.8 Mbps.mpg"; do
    name=$(echo "$f" | tr ' ' '_')
    mpgtx -i "$dir/$f" >"$out/$name.txt" 2>&1 || true
done

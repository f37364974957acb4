#!/bin/bash
# A thousand files on one command line: from starting the process until all are in the playlist
# with their thumbnails (the thousandth "accepted" log line), and how the window answers
# meanwhile: an MPRIS property read (PlaybackStatus over D-Bus), answered by the UI thread, every
# 100 ms. Goals: all in within 10 s on two cores; every read answered, the slowest within
# 250 ms. Exits non-zero when one is missed.
#   bench/many_files.sh [BIN_DIR] [FILES]
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
korvane_bin=$(cd "${1:-$root/build/bin}" && pwd)
files=${2:-1000}
if [ -z "${KORVANE_BENCH_BUS:-}" ]; then
    KORVANE_BENCH_BUS=1 exec dbus-run-session -- "$0" "$korvane_bin" "$files"
fi
. "$root/bench/lib.sh"
bench_start_session

# Short 320x240 clips with sound, each its own file (the decoder reads every one).
clip=$(bench_clip many 320x240 2)
mkdir -p "$bench_work/many"
names=()
for i in $(seq -w 1 "$files"); do
    cp "$clip" "$bench_work/many/clip $i.mp4"
    names+=("$bench_work/many/clip $i.mp4")
done
sync

now_ms() { date +%s%3N; }
read_status() {
    dbus-send --session --print-reply --reply-timeout=5000 --dest=org.mpris.MediaPlayer2.korvane \
        /org/mpris/MediaPlayer2 org.freedesktop.DBus.Properties.Get \
        string:org.mpris.MediaPlayer2.Player string:PlaybackStatus >/dev/null 2>&1
}

log=$bench_work/korvane.log
start=$(now_ms)
korvane_start "$log" "${names[@]}"
# The player answers on the bus once its window is up; reads are timed from then on.
for _ in $(seq 300); do read_status && break; sleep 0.05; done
answering=$(now_ms)
: >"$bench_work/reads"
done_at=
while [ $(($(now_ms) - start)) -lt 60000 ]; do
    before=$(now_ms)
    if read_status; then echo $(($(now_ms) - before)) >>"$bench_work/reads"
    else echo unanswered >>"$bench_work/reads"; fi
    if [ "$(grep -c '^korvane.playlist: accepted ' "$log")" -ge "$files" ]; then
        done_at=$(now_ms)
        break
    fi
    sleep 0.1
done
kill "$korvane_pid" 2>/dev/null
wait "$korvane_pid" 2>/dev/null

accepted=$(grep -c '^korvane.playlist: accepted ' "$log")
refused=$(grep -c '^korvane.playlist: refused ' "$log")
[ -n "$done_at" ] || { echo "only $accepted of $files taken in within 60 s ($refused refused)" >&2; tail -20 "$log" >&2; exit 2; }
seconds=$(awk -v a="$start" -v b="$done_at" 'BEGIN { printf "%.2f", (b - a) / 1000 }')
unanswered=$(grep -c unanswered "$bench_work/reads")
slowest=$(grep -v unanswered "$bench_work/reads" | sort -n | tail -1)
p95=$(grep -v unanswered "$bench_work/reads" | sort -n | awk '{ v[NR] = $1 } END { i = int(NR * 0.95); if (i < 1) i = 1; print v[i] }')
reads=$(wc -l <"$bench_work/reads")
echo "$files files on one command line, $(nproc) cores: window answering after $(((answering - start)))" \
     "ms; all in the playlist after $seconds s; $reads status reads, 95th percentile $p95 ms," \
     "slowest $slowest ms, unanswered $unanswered"
verdict "$files files in the playlist (s)" "$seconds" "-" 10
verdict "slowest status read meanwhile (ms)" "$slowest" "-" 250
verdict "unanswered status reads" "$unanswered" "-" 0
exit $((bench_failures > 0))

#!/bin/bash
# Sourced by the side-by-side benchmarks: a real X display (Xvfb) under a real window manager
# (openbox), a real sound server (PulseAudio on a null sink), generated clips, and readings of a
# process's CPU time and resident memory. Korvane and its peers run on the same display, sound
# server and clip. cvlc refuses to run as root: it runs as the user bench/setup.sh makes, with the
# display and the sound server's socket open to that user.
#
# Environment: KORVANE_BENCH_USER (default korvbench), KORVANE_BENCH_SCREEN (default 1920x1080).

bench_user=${KORVANE_BENCH_USER:-korvbench}
KORVANE_BENCH_WRAP=${KORVANE_BENCH_WRAP:-}
bench_screen=${KORVANE_BENCH_SCREEN:-1920x1080}
bench_work=$(mktemp -d "${TMPDIR:-/tmp}/korvane-bench.XXXXXX")
chmod 755 "$bench_work"
bench_pids=()
hz=$(getconf CLK_TCK)

bench_cleanup() {
    local i
    for ((i = ${#bench_pids[@]} - 1; i >= 0; i--)); do
        kill "${bench_pids[i]}" 2>/dev/null
        wait "${bench_pids[i]}" 2>/dev/null
    done
    rm -rf "$bench_work"
}
trap bench_cleanup EXIT
trap 'exit 130' INT TERM

bench_log() { printf '%s\n' "$*" >&2; }

# Xvfb on a free display, openbox on it, PulseAudio with a null sink, both open to $bench_user.
bench_start_session() {
    local number_file=$bench_work/display
    Xvfb -displayfd 3 -screen 0 "${bench_screen}x24" -nolisten tcp -noreset \
        3>"$number_file" 2>/dev/null &
    bench_pids+=($!)
    for _ in $(seq 100); do [ -s "$number_file" ] && break; sleep 0.1; done
    export DISPLAY=:$(tr -dc 0-9 <"$number_file")
    [ "$DISPLAY" != ":" ] || { echo "Xvfb did not start" >&2; exit 2; }
    openbox --sm-disable >/dev/null 2>&1 &
    bench_pids+=($!)
    for _ in $(seq 50); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break; sleep 0.1; done

    local pulse=$bench_work/pulse
    mkdir -p "$pulse" && chmod 755 "$pulse"
    XDG_RUNTIME_DIR=$pulse HOME=$pulse pulseaudio --daemonize=no --exit-idle-time=-1 \
        --disallow-exit --system=false -n \
        --load="module-native-protocol-unix socket=$pulse/native auth-anonymous=1" \
        --load="module-null-sink sink_name=korvane_null" --load=module-always-sink \
        >"$pulse/log" 2>&1 &
    bench_pids+=($!)
    export PULSE_SERVER=unix:$pulse/native
    for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
    pactl info >/dev/null 2>&1 || { echo "pulseaudio did not start" >&2; cat "$pulse/log" >&2; exit 2; }
    chmod 666 "$pulse/native"
    if id "$bench_user" >/dev/null 2>&1; then
        xhost "+si:localuser:$bench_user" >/dev/null
        bench_home=$bench_work/home-$bench_user
        mkdir -p "$bench_home" && chown "$bench_user" "$bench_home"
    fi
}

# bench_clip NAME WIDTHxHEIGHT SECONDS: an H.264/AAC MP4 in the work folder; prints its path.
bench_clip() {
    local path=$bench_work/$1.mp4
    ffmpeg -nostdin -v error -y -f lavfi -i "testsrc2=size=$2:rate=25:duration=$3" \
        -f lavfi -i "sine=frequency=440:duration=$3" -c:v libx264 -preset veryfast \
        -pix_fmt yuv420p -c:a aac -shortest "$path" || exit 2
    chmod 644 "$path"
    echo "$path"
}

# Starts Korvane with its log in $1 and the other arguments (under $KORVANE_BENCH_WRAP when set,
# such as "heaptrack -o FILE"); the settings folder is $korvane_home
# when set, else a new private one (left in $korvane_home). Its pid in $korvane_pid.
korvane_home=
korvane_env() {
    env XDG_CONFIG_HOME="$korvane_home/config" XDG_RUNTIME_DIR="$korvane_home/run" \
        HOME="$korvane_home" QT_QPA_PLATFORM=xcb QT_LOGGING_RULES="korvane.*=true" \
        KORVANE_AOUT=pulse "$@"
}
korvane_start() {
    local log=$1; shift
    [ -n "$korvane_home" ] || korvane_home=$bench_work/korvane-$RANDOM$RANDOM
    mkdir -p "$korvane_home/config" "$korvane_home/run" && chmod 700 "$korvane_home/run"
    # Started directly, not through a function, so that $! is the player itself.
    env XDG_CONFIG_HOME="$korvane_home/config" XDG_RUNTIME_DIR="$korvane_home/run" \
        HOME="$korvane_home" QT_QPA_PLATFORM=xcb QT_LOGGING_RULES="korvane.*=true" \
        KORVANE_AOUT=pulse $KORVANE_BENCH_WRAP "$korvane_bin/korvane" "$@" >"$log" 2>&1 &
    korvane_pid=$!
}

# Runs a command as the benchmark user on the display and sound server; its pid in $user_pid.
as_bench_user() {
    runuser -u "$bench_user" -- env -i PATH=/usr/bin:/bin DISPLAY="$DISPLAY" \
        PULSE_SERVER="$PULSE_SERVER" HOME="$bench_home" XDG_RUNTIME_DIR="$bench_home" "$@" &
    user_pid=$!
}

# The pid of the process named $2 that runs under the process $1 (runuser's child), or $1.
child_named() {
    local pid
    for _ in $(seq 100); do
        pid=$(pgrep -P "$1" -x "$2" | head -1)
        [ -n "$pid" ] && { echo "$pid"; return; }
        sleep 0.05
    done
    echo "$1"
}

# CPU time (user + system) of a process and all its threads, in clock ticks.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null || echo 0; }

# Resident memory in KiB.
rss_kib() { awk '/^VmRSS/ { print $2 }' "/proc/$1/status" 2>/dev/null || echo 0; }

# cpu_percent PID SECONDS: the share of one core the process used over that many seconds.
cpu_percent() {
    local before after
    before=$(cpu_ticks "$1")
    sleep "$2"
    after=$(cpu_ticks "$1")
    awk -v a="$before" -v b="$after" -v s="$2" -v hz="$hz" \
        'BEGIN { printf "%.3f", (b - a) * 100 / hz / s }'
}

# Threads of a process with the CPU ticks they used, most first (for the notes).
thread_ticks() {
    local t
    for t in /proc/"$1"/task/*; do
        awk '{ n = $2; print $14 + $15, n }' "$t/stat" 2>/dev/null
    done | sort -rn | head -"${2:-6}" | tr '\n' ';'
}

# Every thread's ticks as "tid ticks name" lines, for thread_delta; the process's first thread
# (Korvane's UI thread) is named "(main)".
thread_table() {
    local t
    for t in /proc/"$1"/task/*; do
        awk -v tid="${t##*/}" -v pid="$1" \
            '{ name = (tid == pid) ? "(main)" : $2; print tid, $14 + $15, name }' "$t/stat" 2>/dev/null
    done
}
# thread_delta BEFORE AFTER: the threads that used most between two thread_table readings.
thread_delta() {
    awk 'NR == FNR { seen[$1] = $2; next } { d = $2 - seen[$1]; if (d > 0) print d, $3 }' \
        "$1" "$2" | sort -rn | head -8 | tr '\n' ';'
}

# Waits until the log $1 has a line matching $2 (at most $3 seconds, default 30).
wait_log() {
    local i
    for ((i = 0; i < ${3:-30} * 20; i++)); do
        grep -q -- "$2" "$1" 2>/dev/null && return 0
        sleep 0.05
    done
    return 1
}

# The main window of the Korvane process $1, once shown (one player runs at a time).
window_of() {
    local id
    for _ in $(seq 200); do
        kill -0 "$1" 2>/dev/null || return 1
        id=$(xdotool search --onlyvisible --name '^Korvane' 2>/dev/null | head -1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

# verdict NAME KORVANE PEER LIMIT: passes when KORVANE <= LIMIT; prints one line.
bench_failures=0
verdict() {
    local ok
    ok=$(awk -v k="$2" -v l="$4" 'BEGIN { print (k <= l) ? "met" : "MISSED" }')
    printf '%-44s Korvane %10s   peer %10s   limit %10s   %s\n' "$1" "$2" "$3" "$4" "$ok"
    [ "$ok" = met ] || bench_failures=$((bench_failures + 1))
}

# bench_playing CLIP SECONDS: Korvane, then cvlc, play the clip full screen on this display; for
# each, the CPU share over SECONDS once it plays and the largest resident memory meanwhile (KiB).
# Sets korvane_cpu, korvane_rss, vlc_cpu, vlc_rss.
sample_while() { # PID SECONDS: CPU %, then the largest RSS seen, sampled every 0.2 s
    local before after peak=0 rss i
    thread_table "$1" >"$bench_work/threads.before"
    before=$(cpu_ticks "$1")
    for ((i = 0; i < $2 * 5; i++)); do
        rss=$(rss_kib "$1")
        [ "${rss:-0}" -gt "$peak" ] && peak=$rss
        sleep 0.2
    done
    after=$(cpu_ticks "$1")
    thread_table "$1" >"$bench_work/threads.after"
    awk -v a="$before" -v b="$after" -v s="$2" -v hz="$hz" -v p="$peak" \
        'BEGIN { printf "%.2f %d\n", (b - a) * 100 / hz / s, p }'
}

bench_playing() {
    local clip=$1 seconds=$2 log=$bench_work/playing.log wid vlc
    korvane_start "$log" "$clip"
    bench_pids+=("$korvane_pid")
    wait_log "$log" "engine state.*Playing" 60 || { cat "$log" >&2; exit 2; }
    wid=$(window_of "$korvane_pid") || exit 2
    xdotool windowactivate --sync "$wid" 2>/dev/null
    xdotool key --clearmodifiers ctrl+f
    sleep 2
    read -r korvane_cpu korvane_rss < <(sample_while "$korvane_pid" "$seconds")
    korvane_threads=$(thread_delta "$bench_work/threads.before" "$bench_work/threads.after")
    smaps_summary "$korvane_pid" >"$bench_work/korvane.smaps"
    kill "$korvane_pid"; wait "$korvane_pid" 2>/dev/null

    as_bench_user cvlc --fullscreen --no-video-title-show --aout=pulse --no-osd "$clip"
    bench_pids+=("$user_pid")
    vlc=$(child_named "$user_pid" vlc)
    sleep 2.5
    read -r vlc_cpu vlc_rss < <(sample_while "$vlc" "$seconds")
    vlc_threads=$(thread_delta "$bench_work/threads.before" "$bench_work/threads.after")
    smaps_summary "$vlc" >"$bench_work/vlc.smaps"
    kill "$vlc" 2>/dev/null; wait "$user_pid" 2>/dev/null
}

# Resident memory of a process by mapping, largest first (KiB): "rss private_dirty shared name"
# per line, shared meaning shared with other processes; anonymous memory and the heap as "[anon]", System V shared memory (the X backing
# store) as "[sysv-shm]", libraries by file name.
smaps_summary() {
    awk '
        /^[0-9a-f]+-[0-9a-f]+ / {
            name = (NF >= 6) ? $6 : "[anon]"
            if (name == "[heap]" || name ~ /^\[anon/) name = "[anon]"
            else if (name ~ /^\/SYSV/) name = "[sysv-shm]"
            else if (name ~ /^\//) { n = split(name, parts, "/"); name = parts[n] }
            next
        }
        /^Rss:/ { rss[name] += $2 }
        /^Private_Dirty:/ { dirty[name] += $2 }
        /^Shared_(Clean|Dirty):/ { shared[name] += $2 }
        END { for (n in rss) if (rss[n] > 0) print rss[n], dirty[n] + 0, shared[n] + 0, n }
    ' "/proc/$1/smaps" 2>/dev/null | sort -rn
}

#!/usr/bin/env bash
# Sourced by the test scripts: makes sure a sound server runs, so the end-to-end tests play audio
# in real time as users hear it. An existing server is used as it is; otherwise PulseAudio is
# started for this run with a null sink (no sound card needed) and stopped when the run ends.
# Exports PULSE_SERVER, which the player processes of the tests follow.
korvane_sound_server() {
  if pactl info >/dev/null 2>&1; then
    if [ -z "${PULSE_SERVER:-}" ]; then
      local socket
      socket=$(pactl info 2>/dev/null | sed -n 's/^Server String: //p')
      [ -n "$socket" ] && export PULSE_SERVER="$socket"
    fi
    return 0
  fi
  command -v pulseaudio >/dev/null || { echo "no sound server and no pulseaudio" >&2; return 0; }
  local dir
  dir=$(mktemp -d "${TMPDIR:-/tmp}/korvane-pulse.XXXXXX")
  chmod 700 "$dir"
  # Root runs it too (CI containers), hence --system=false and the explicit socket.
  XDG_RUNTIME_DIR="$dir" HOME="$dir" pulseaudio --daemonize=no --exit-idle-time=-1 \
    --disallow-exit --system=false -n \
    --load="module-native-protocol-unix socket=$dir/native auth-anonymous=1" \
    --load="module-null-sink sink_name=korvane_null" \
    --load="module-always-sink" >"$dir/log" 2>&1 &
  KORVANE_PULSE_PID=$!
  KORVANE_PULSE_DIR=$dir
  export PULSE_SERVER="unix:$dir/native"
  for _ in $(seq 50); do
    pactl info >/dev/null 2>&1 && break
    sleep 0.1
  done
  if ! pactl info >/dev/null 2>&1; then
    echo "pulseaudio did not start:" >&2
    cat "$dir/log" >&2
    unset PULSE_SERVER
  fi
  trap 'kill "$KORVANE_PULSE_PID" 2>/dev/null; wait "$KORVANE_PULSE_PID" 2>/dev/null; rm -rf "$KORVANE_PULSE_DIR"' EXIT
}
korvane_sound_server

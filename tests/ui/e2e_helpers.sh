# Sourced by the end-to-end scripts: checks, waits on the program's log ($log) and on windows.
failures=0
check() { # name, condition...
  local name=$1; shift
  if "$@"; then echo "ok: $name"; else echo "FAIL: $name"; failures=$((failures + 1)); fi
}
wait_for() { for _ in $(seq 200); do grep -q -- "$1" "$log" && return 0; sleep 0.1; done; return 1; }
count() { grep -c -- "$1" "$log"; }
# Until the log holds at least $2 lines with $1.
wait_count() { for _ in $(seq 100); do [ "$(count "$1")" -ge "$2" ] && return 0; sleep 0.1; done; return 1; }
# Visible windows only: the program also owns an invisible 1 x 1 window named like its main one.
window_named() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1; }
wait_window() { for _ in $(seq 200); do [ -n "$(window_named "$1")" ] && return 0; sleep 0.1; done; return 1; }
wait_gone() { for _ in $(seq 200); do [ -z "$(window_named "$1")" ] && return 0; sleep 0.1; done; return 1; }
key() { xdotool key --clearmodifiers "$@"; sleep 0.4; }
shot() { import -window root "$shots/$1.png" 2>/dev/null; }
# The main window's id, once it shows (a loaded machine may take a while); on none, the log and
# whether the program is still running say why.
main_window() {
  local id
  for _ in $(seq 300); do
    id=$(window_named '^Korvane') && [ -n "$id" ] && { echo "$id"; return 0; }
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  { echo "FAIL: no window"; kill -0 "$pid" 2>/dev/null && echo "(the program runs)" || echo "(the program ended)"; cat "$log"; } >&2
  return 1
}

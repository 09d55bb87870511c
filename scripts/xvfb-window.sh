# Sourced by the scripts that look at the running window (check-package.sh, screenshots.sh): an
# Xvfb on a free display (1600 x 1000 unless asked otherwise), and the wait for the window. The caller keeps xvfb_pid
# and app_pid and ends both on exit.

# Starts Xvfb; sets display (":N") and xvfb_pid. $1: a scratch folder, $2: Xvfb's log, $3: the
# screen's size (WIDTHxHEIGHT, 1600x1000 when not given).
start_xvfb() {
  rm -f "$1/display"
  # Xvfb picks a free display and writes its number once it accepts clients.
  Xvfb -displayfd 3 -screen 0 "${3:-1600x1000}x24" -nolisten tcp 3>"$1/display" >"$2" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$1/display" ] && break
    sleep 0.1
  done
  [ -s "$1/display" ] || { cat "$2" >&2; return 1; }
  display=":$(head -1 "$1/display")"
}

# Waits until app_pid shows the window ("Dotrix - ..."); false when it never does.
wait_for_window() {
  for _ in $(seq 100); do
    DISPLAY=$display xwininfo -root -tree 2>/dev/null | grep -q '"Dotrix - ' && return 0
    kill -0 "$app_pid" 2>/dev/null || return 1
    sleep 0.2
  done
  return 1
}

# Ends the program, if it runs, and waits for it.
stop_app() {
  [ -z "$app_pid" ] && return 0
  kill "$app_pid"
  wait "$app_pid" 2>/dev/null || true
  app_pid=""
}

# Ends the program and Xvfb, and waits for both.
stop_window() {
  stop_app
  kill "$xvfb_pid"
  wait "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=""
}

#!/usr/bin/env bash
# Runs a command under an X server.
#   with-xvfb.sh COMMAND...      on the shared server of $DORVA_XVFB_DIR when it
#                                runs, else on a server of its own for this command
#   with-xvfb.sh --start DIR     starts the shared server, notes it in DIR
#   with-xvfb.sh --stop DIR      stops it
# -displayfd lets Xvfb pick a free display, so servers never collide.
set -u

# Starts Xvfb in the background: its display number goes to $1, its pid to $2.
start_server() {
  local dispfile=$1 pidfile=$2
  : >"$dispfile"
  # Detached, with no inherited output, so CTest does not wait for it.
  setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$dispfile" </dev/null >/dev/null 2>&1 &
  echo $! >"$pidfile"
  # Ready when it names its display; a busy machine may take seconds. The
  # deadline only ends a server that hangs.
  local deadline=$((SECONDS + 60))
  while [ $SECONDS -lt $deadline ]; do
    [ -s "$dispfile" ] && return 0
    kill -0 "$(cat "$pidfile")" 2>/dev/null || { echo "Xvfb did not start" >&2; return 1; }
    sleep 0.025
  done
  echo "Xvfb did not start in time" >&2
  return 1
}

# Xvfb takes about a second to exit; nothing needs to wait for it.
stop_server() {
  local pidfile=$1
  [ -f "$pidfile" ] && kill "$(cat "$pidfile")" 2>/dev/null
  rm -f "$pidfile"
}

case "${1:-}" in
  --start)
    mkdir -p "$2"
    stop_server "$2/pid"
    start_server "$2/display" "$2/pid" || exit 1
    echo "Xvfb on :$(head -n 1 "$2/display")"
    exit 0 ;;
  --stop)
    stop_server "$2/pid"
    rm -f "$2/display"
    exit 0 ;;
esac

unset WAYLAND_DISPLAY
shared=${DORVA_XVFB_DIR:-}
if [ -n "$shared" ] && [ -s "$shared/display" ] && kill -0 "$(cat "$shared/pid" 2>/dev/null)" 2>/dev/null; then
  export DISPLAY=":$(head -n 1 "$shared/display")"
  exec "$@"
fi

own=$(mktemp -d)
start_server "$own/display" "$own/pid" || exit 1
export DISPLAY=":$(head -n 1 "$own/display")"
"$@"
rc=$?
stop_server "$own/pid"
rm -rf "$own"
exit $rc

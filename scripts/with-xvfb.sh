#!/usr/bin/env bash
# Runs a command under an X server of its own (tests that open windows).
# -displayfd lets Xvfb pick a free display, so parallel tests never collide.
set -u
dispfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$dispfile" 2>/dev/null &
xpid=$!
for _ in $(seq 1 400); do
  [ -s "$dispfile" ] && break
  kill -0 "$xpid" 2>/dev/null || { echo "Xvfb did not start" >&2; exit 1; }
  sleep 0.025
done
export DISPLAY=":$(head -n 1 "$dispfile")"
unset WAYLAND_DISPLAY
"$@"
rc=$?
kill "$xpid" 2>/dev/null
wait "$xpid" 2>/dev/null
rm -f "$dispfile"
exit $rc

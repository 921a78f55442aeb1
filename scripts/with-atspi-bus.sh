#!/usr/bin/env bash
# Runs a command under an X server of its own and a private D-Bus session, on
# which the accessibility bus and its registry start on demand: tests that
# read the program as a screen reader does.
set -u
here="$(cd "$(dirname "$0")" && pwd)"
exec "$here/with-xvfb.sh" dbus-run-session -- env -u NO_AT_BRIDGE -u GTK_A11Y "$@"

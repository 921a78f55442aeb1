#!/usr/bin/env bash
# Runs a command under an X server of its own and a private D-Bus session, on
# which the accessibility bus and its registry start on demand: tests that
# read the program as a screen reader does. The accessibility bus notes its
# address on the X server's root window, so the shared test server is not used.
set -u
here="$(cd "$(dirname "$0")" && pwd)"
exec env -u DORVA_XVFB_DIR "$here/with-xvfb.sh" dbus-run-session -- env -u NO_AT_BRIDGE -u GTK_A11Y "$@"

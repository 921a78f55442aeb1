#!/usr/bin/env bash
# The pauses of the bank and OS transfers as the unit sees them (not a test,
# not run by CI): builds Release into build-bench/ (or $BENCH_BUILD_DIR), then
# runs the program's own application under an X server of its own against a
# unit on a JACK server of its own, and prints per transfer the mean, largest
# and smallest gap between two messages at the unit (when its JACK cycle
# brought them), and the time of the whole 16-template bank from the click.
# Needs Xvfb and jackd (scripts/install-deps.sh).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BENCH_BUILD_DIR:-$top/build-bench}
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
cmake --build "$build" -j"${BENCH_JOBS:-4}" --target dorva_bench_pauses >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Preferences: no start-up dialog, no old-OS question, the unit's ports
# remembered and kept open (the program is never active under Xvfb).
mkdir -p "$work/config/Brennix"
printf '%s\n' StartupAction=1 ReleaseDriver=0 ShowOldOSDialog=0 PluginsEnumeratedOK=1 \
  InputDevice=Bench\ Keys:unit-to-editor OutputDevice=Bench\ Unit:editor-to-unit \
  >"$work/config/Brennix/Dorva Editor.conf"
export XDG_CONFIG_HOME=$work/config NO_AT_BRIDGE=1
cd "$work"
"$top/scripts/with-xvfb.sh" "$build/bench/dorva_bench_pauses"

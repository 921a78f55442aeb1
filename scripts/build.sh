#!/usr/bin/env bash
# Configures and builds into build/ (or $BUILD_DIR).
#   build.sh [--target NAME]... [CMAKE OPTION]...
# Without --target everything is built, tests included; the options go to the
# configure step.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$top/build}
targets=()
options=()
while [ $# -gt 0 ]; do
  case "$1" in
    --target) targets+=(--target "$2"); shift 2 ;;
    *) options+=("$1"); shift ;;
  esac
done
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo ${options[@]+"${options[@]}"} >/dev/null
cmake --build "$build" -j"$(nproc)" ${targets[@]+"${targets[@]}"}

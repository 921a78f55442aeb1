#!/usr/bin/env bash
# Installs what is missing, builds the editor (the program with its libraries,
# resources and factory bank; no tests) and starts it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/scripts/install-deps.sh"
bash "$top/scripts/build.sh" --target dorva-editor
exec "${BUILD_DIR:-$top/build}/program/dorva-editor" "$@"

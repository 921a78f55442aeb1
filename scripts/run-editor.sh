#!/usr/bin/env bash
# Installs what is missing, builds, and starts the editor.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/scripts/install-deps.sh"
bash "$top/scripts/build.sh"
editor="${BUILD_DIR:-$top/build}/program/dorva-editor"
if [ -x "$editor" ]; then
  exec "$editor" "$@"
fi
echo "Built the libraries; the editor program itself is not part of this build yet."

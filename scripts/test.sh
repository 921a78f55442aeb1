#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test and the fuzz targets.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/scripts/install-deps.sh"
bash "$top/scripts/build.sh"
cd "${BUILD_DIR:-$top/build}"
ctest --output-on-failure -j"$(nproc)" --timeout 300
bash "$top/scripts/fuzz.sh"

#!/usr/bin/env bash
# Runs every fuzz target longer than CI does, as many at a time as there are
# cores: bash scripts/fuzz-long.sh [seconds per target, default 600]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
FUZZ_SECONDS=${1:-600} FUZZ_JOBS=${FUZZ_JOBS:-$(nproc)} exec bash "$top/scripts/fuzz.sh"

#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for FUZZ_SECONDS (20:
# CI's short run) from its seeds in tests/fuzz/corpus/<target>, FUZZ_JOBS at a
# time (default: all at once). scripts/fuzz-long.sh runs them longer.
# Mutations reach every byte of a full-size seed from the start
# (-len_control=0). Fails on any finding.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD_DIR:-$top/build-fuzz}
seconds=${FUZZ_SECONDS:-20}
if [ ! -f "$top/tests/fuzz/CMakeLists.txt" ]; then
  echo "No fuzz targets."
  exit 0
fi
CC=clang-14 CXX=clang++-14 cmake -S "$top" -B "$build" -DDORVA_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)"
targets=$(find "$build/tests/fuzz" -maxdepth 1 -type f -name 'fuzz_*' -perm -u+x | sort)
jobs=${FUZZ_JOBS:-$(echo "$targets" | wc -l)}
results=$(mktemp -d)
for t in $targets; do
  name=$(basename "$t")
  work=$(mktemp -d)
  seeds="$top/tests/fuzz/corpus/$name"
  mkdir -p "$work/corpus"
  [ -d "$seeds" ] && cp -r "$seeds/." "$work/corpus/"
  # The scratch folder goes either way; a failing input is kept under $build/fuzz-findings.
  # Past the longest seed: a whole bank of templates is 28,928 bytes.
  ( if ! (cd "$work" && "$t" -max_total_time="$seconds" -len_control=0 -max_len=32768 -rss_limit_mb=2048 \
          -print_final_stats=0 corpus >"$work/log" 2>&1); then
      echo "FUZZ FAILURE in $name:"; tail -n 60 "$work/log"
      mkdir -p "$build/fuzz-findings"
      for f in "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-*; do
        [ -e "$f" ] && cp "$f" "$build/fuzz-findings/$name-$(basename "$f")" && echo "Input kept: $build/fuzz-findings/$name-$(basename "$f")"
      done
      rm -rf "$work"; touch "$results/$name.failed"; exit 1
    fi
    echo "fuzz $name: no finding in ${seconds}s"
    rm -rf "$work" ) &
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
done
wait
failed=$(ls "$results" | wc -l)
rm -rf "$results"
[ "$failed" -eq 0 ]

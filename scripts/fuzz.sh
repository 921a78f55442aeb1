#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time
# from its seeds in tests/fuzz/corpus/<target>. Fails on any finding.
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
failed=0
pids=()
names=()
for t in $targets; do
  name=$(basename "$t")
  work=$(mktemp -d)
  seeds="$top/tests/fuzz/corpus/$name"
  mkdir -p "$work/corpus"
  [ -d "$seeds" ] && cp -r "$seeds/." "$work/corpus/"
  # The scratch folder goes either way; a failing input is kept under $build/fuzz-findings.
  ( if ! (cd "$work" && "$t" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=0 corpus >"$work/log" 2>&1); then
      echo "FUZZ FAILURE in $name:"; tail -n 60 "$work/log"
      mkdir -p "$build/fuzz-findings"
      for f in "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-*; do
        [ -e "$f" ] && cp "$f" "$build/fuzz-findings/$name-$(basename "$f")" && echo "Input kept: $build/fuzz-findings/$name-$(basename "$f")"
      done
      rm -rf "$work"; exit 1
    fi
    rm -rf "$work" ) &
  pids+=($!)
  names+=("$name")
done
for i in "${!pids[@]}"; do
  if wait "${pids[$i]}"; then
    echo "fuzz ${names[$i]}: no finding in ${seconds}s"
  else
    failed=1
  fi
done
exit $failed

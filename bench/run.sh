#!/usr/bin/env bash
# The program's speed and memory figures in one run, to compare a change with
# the one before it. Builds Release into build-bench/ (or $BENCH_BUILD_DIR),
# then prints one row per measure with its method; every figure is the median
# of $RUNS runs (default 5). Needs Xvfb and jackd; not part of the tests.
#   bench/run.sh            every row
#   bench/run.sh dump idle  only the rows named (idle latency memory startup dump sends scan)
# The scan rows need the plug-ins of /usr/lib/vst; BENCH_BEFORE=<source tree>
# puts that tree's scan beside this one's (see there).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BENCH_BUILD_DIR:-$top/build-bench}
runs=${RUNS:-5}
rows=${*:-idle latency memory startup dump sends scan}
wanted() { [[ " $rows " == *" $1 "* ]]; }

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
cmake --build "$build" -j"${BENCH_JOBS:-4}" --target dorva-editor dorva_bench dorva_bench_templates \
  dorva_bench_unit dorva_bench_painted dorva_bench_latency dorva_bench_examine midi_jack_tests >/dev/null

editor=$build/program/dorva-editor
bench=$build/bench
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) print "n/a"; else print v[int((NR + 1) / 2)] }'; }
row() { printf '%-44s %14s   %s\n' "$1" "$2" "$3"; }

# One X server for the whole run.
dispfile=$work/display
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$dispfile" 2>/dev/null &
pids+=($!)
for _ in $(seq 1 400); do [ -s "$dispfile" ] && break; sleep 0.025; done
export DISPLAY=":$(head -n 1 "$dispfile")"
unset WAYLAND_DISPLAY
export NO_AT_BRIDGE=1
# Our jack_lsp calls must never start a server of their own.
export JACK_NO_START_SERVER=1

"$bench/dorva_bench_templates" "$work" 10
templates=("$work"/bench-*.syx)

# Preferences: no start-up dialog, the unit's ports remembered; release 1
# leaves the ports closed (the program is never active under Xvfb).
vst=/usr/lib/vst
config() {
  mkdir -p "$work/config/Brennix"
  printf 'StartupAction=1\nReleaseDriver=%s\nInputDevice=unit-to-editor\nOutputDevice=editor-to-unit\nPluginsEnumeratedOK=1\nVSTDir=%s\n' \
    "$1" "$vst" >"$work/config/Brennix/Dorva Editor.conf"
}
export XDG_CONFIG_HOME=$work/config

# A JACK server (256 frames at 48 kHz, no audio hardware) with the bench unit
# on it. JACK servers of one user share state, so the tests' lock is taken
# while one of ours runs.
jack_start() {
  exec 8>/tmp/dorva-jack-tests.lock
  flock -w 120 8
  export JACK_DEFAULT_SERVER=dorva-bench-$$
  JACK_NO_AUDIO_RESERVATION=1 jackd -n "$JACK_DEFAULT_SERVER" -r -d dummy -r 48000 -p 256 >"$work/jackd.log" 2>&1 &
  jackd_pid=$!
  pids+=($jackd_pid)
  for _ in $(seq 1 200); do jack_lsp >/dev/null 2>&1 && break; sleep 0.05; done
}
jack_stop() {
  kill "$jackd_pid" 2>/dev/null || true
  wait "$jackd_pid" 2>/dev/null || true
  unset JACK_DEFAULT_SERVER
  flock -u 8
}
# The unit as a process of its own; the latency row brings its own instead.
unit_start() {
  "$bench/dorva_bench_unit" >"$work/unit.log" 2>&1 &
  unit_pid=$!
  pids+=($unit_pid)
  for _ in $(seq 1 200); do grep -q ready "$work/unit.log" 2>/dev/null && break; sleep 0.05; done
}
unit_stop() {
  kill "$unit_pid" 2>/dev/null || true
  wait "$unit_pid" 2>/dev/null || true
}

# CPU time of every thread of a process, in nanoseconds.
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { print s + 0 }'; }
# "<thread id> <CPU time in ns>" for each thread of a process.
thread_ns() { for t in /proc/"$1"/task/*; do echo "${t##*/} $(cut -d' ' -f1 "$t/schedstat" 2>/dev/null)"; done; }

# Starts the editor on the files given, closes the device notice it shows
# without a MIDI server, waits until it settles, prints "<percent of a core>
# <resident KiB> <resident shared-memory KiB> <the unit's percent of a core>
# <the main thread's percent> <the busiest other thread's percent>" over a
# 10 s window, and ends it. With JACK ports open the busiest other thread is
# the JACK client's process thread, which wakes every period.
measure_editor() {
  "$editor" "$@" >"$work/editor.out" 2>"$work/editor.err" &
  local pid=$!
  sleep 2
  "$bench/dorva_bench_painted" --dismiss "Dorva Editor"
  sleep 2
  local rss shm before after
  rss=$(awk '/^VmRSS:/ { print $2 }' /proc/$pid/status)
  shm=$(awk '/^RssShmem:/ { print $2 }' /proc/$pid/status)
  before=$(cpu_ns $pid)
  thread_ns $pid >"$work/threads.before"
  unitBefore=$(cpu_ns "${unit_pid:-0}")
  sleep 10
  after=$(cpu_ns $pid)
  thread_ns $pid >"$work/threads.after"
  unitAfter=$(cpu_ns "${unit_pid:-0}")
  local threads
  threads=$(awk -v main=$pid 'NR == FNR { b[$1] = $2; next }
    { d = ($2 - b[$1]) / 1e7 / 10; if ($1 == main) m = d; else if (d > o) o = d }
    END { printf "%.3f %.3f", m, o }' "$work/threads.before" "$work/threads.after")
  "$bench/dorva_bench_painted" --close "Dorva Editor -" 10000 $pid
  wait $pid 2>/dev/null || true
  awk -v a="$after" -v b="$before" -v r="$rss" -v s="$shm" -v ua="$unitAfter" -v ub="$unitBefore" \
    -v t="$threads" 'BEGIN { printf "%.3f %d %d %.3f %s\n", (a - b) / 1e7 / 10, r, s, (ua - ub) / 1e7 / 10, t }'
}
# The median of column $1 of measure_editor's lines.
column() { cut -d' ' -f"$1" | median; }

echo "Dorva Editor benchmarks: median of $runs runs, Release build, $(nproc) cores, load $(cut -d' ' -f1 /proc/loadavg)"
row "measure" "figure" "method"

# No MIDI server: the device lists are empty.
if wanted idle; then
  config 0
  out=$(for _ in $(seq "$runs"); do JACK_DEFAULT_SERVER=dorva-absent-$$ measure_editor "${templates[0]}"; done)
  row "idle CPU, one template, no MIDI server" "$(echo "$out" | column 1) %" \
    "CPU time of all threads over 10 s, 4 s after start; the main thread $(echo "$out" | column 5) %"
fi
if wanted memory; then
  config 0
  fig=$(for _ in $(seq "$runs"); do JACK_DEFAULT_SERVER=dorva-absent-$$ measure_editor "${templates[@]}"; done | column 2)
  row "resident memory, 10 templates, no MIDI server" "$((fig / 1024)) MB" "VmRSS 4 s after start"
fi

if wanted idle || wanted latency || wanted memory || wanted startup; then
  jack_start
  unit_start
  config 0
  if wanted idle; then
    out=$(for _ in $(seq "$runs"); do measure_editor "${templates[0]}"; done)
    row "idle CPU, one template, JACK ports open" "$(echo "$out" | column 1) %" \
      "as above; the stand-in unit, a bare JACK client, $(echo "$out" | column 4) % meanwhile"
    row "  of it the main thread" "$(echo "$out" | column 5) %" \
      "the thread of the event loop and the idle pass"
    row "  of it the JACK client's process thread" "$(echo "$out" | column 6) %" \
      "the busiest other thread: JACK wakes it every period (5.3 ms)"
  fi
  if wanted memory; then
    out=$(for _ in $(seq "$runs"); do measure_editor "${templates[@]}"; done)
    # libjack maps (and, for root, locks) the server's whole shared segment
    # in every client: it is the server's memory, counted once system-wide.
    own=$(echo "$out" | awk '{ print $2 - $3 }' | median)
    row "resident memory, 10 templates, JACK ports open" "$((own / 1024)) MB" \
      "VmRSS less the JACK server's shared memory ($(( $(echo "$out" | column 2) / 1024 )) MB with it)"
  fi
  if wanted latency; then
    unit_stop
    out=$(for _ in $(seq "$runs"); do "$bench/dorva_bench_latency" "${templates[0]}" 2>>"$work/latency.err" || true; done)
    unit_start
    med=$(echo "$out" | sed -n 's/^median \([0-9.]*\) ms.*/\1/p' | median)
    p95=$(echo "$out" | sed -n 's/.*95th \([0-9.]*\) ms.*/\1/p' | median)
    max=$(echo "$out" | sed -n 's/.*max \([0-9.]*\) ms.*/\1/p' | sort -g | tail -n 1)
    row "short message shown, median (95th, max)" "$med ms ($p95, ${max:-n/a})" \
      "JACK cycle to the main window's listener, 100 notes a run"
  fi
  if wanted startup; then
    fig=$(for _ in $(seq "$runs"); do
      "$bench/dorva_bench_painted" "Dorva Editor -" 20000 "$editor" "${templates[0]}" || true
    done | median)
    row "start-up to the main window painted" "$fig ms" "exec to the panel picture in the window, seen by the X server"
  fi
  unit_stop
  jack_stop
fi

if wanted dump; then
  fig=$("$bench/dorva_bench" --benchmark_filter='^ReadWritePair$' --benchmark_repetitions="$runs" \
    --benchmark_min_time=0.5 --benchmark_format=csv 2>/dev/null |
    awk -F, '$1 ~ /ReadWritePair_median/ { printf "%d", $7 }')
  row "DorvaSynth dump read + write" "$fig pairs/s" "Read then Write of one 1,808-byte dump, one core"
fi

if wanted sends; then
  fig=$(for _ in $(seq "$runs"); do
    "$build/tests/midi/midi_jack_tests" --gtest_filter='*SixteenBackToBack*' 2>/dev/null |
      sed -n 's/^16 x 1808-byte sends over JACK: \([0-9.]*\) ms.*/\1/p' || true
  done | median)
  row "16 back-to-back 1,808-byte sends over JACK" "$fig ms" "first BeginSend to the unit's receipt of the last, 256 frames"
fi

# Every run is a fresh process (an in-process scan keeps the libraries it
# examined loaded); the kinds of run take turns, so a change in the machine's
# load hits each alike. With BENCH_BEFORE=<another source tree> (an earlier
# commit, say) that tree's program and examination, built Release into its
# build-bench/, take turns with this one's, and both are printed.
if wanted scan && [ -d "$vst" ]; then
  config 0
  trees=("$build") labels=("")
  if [ -n "${BENCH_BEFORE:-}" ]; then
    cmake -S "$BENCH_BEFORE" -B "$BENCH_BEFORE/build-bench" -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
    cmake --build "$BENCH_BEFORE/build-bench" -j"${BENCH_JOBS:-4}" --target dorva-editor dorva_bench_examine >/dev/null
    trees=("$BENCH_BEFORE/build-bench" "$build") labels=(", before" ", after")
  fi
  alone=() program=() pictures=()
  for _ in $(seq "$runs"); do
    for i in "${!trees[@]}"; do
      alone[i]+=" $("${trees[i]}/bench/dorva_bench_examine" "$vst" | cut -d' ' -f1)"
      out=$(JACK_DEFAULT_SERVER=dorva-absent-$$ "$bench/dorva_bench_painted" --scan 60000 "${trees[i]}/program/dorva-editor" \
        "${templates[0]}" || true)
      program[i]+=" $(echo "$out" | cut -d' ' -f1)"
      pictures[i]+=" $(echo "$out" | cut -d' ' -f2)"
    done
  done
  for i in "${!trees[@]}"; do
    a=$(printf '%s\n' ${alone[i]} | median)
    p=$(printf '%s\n' ${program[i]} | median)
    row "plug-in examination alone${labels[i]}" "$a ms" \
      "ExamineFolder of $(find "$vst" -name '*.so' | wc -l) libraries in $vst, no window"
    row "plug-in scan in the program${labels[i]}" "$p ms" \
      "Ctrl+Shift+I to the selector painted, $(awk -v p="$p" -v a="$a" 'BEGIN { printf "%+.0f%%", (p / a - 1) * 100 }') on the examination; $(printf '%s\n' ${pictures[i]} | median) progress pictures"
  done
fi

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures what the README's development section reports: the benchmark
# medians, the program's start-up time to its first painted window and its
# peak memory, and the command-line tool's export throughput.
# Run after scripts/build.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
airfoils=${PARVELIN_AIRFOIL_DIR:-tests/data/airfoils}
runs=${RUNS:-5}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

echo "== Machine =="
echo "$(nproc) cores, $(awk '/MemTotal/ {printf "%.0f GiB", $2/1048576}' /proc/meminfo), $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"

echo "== Benchmarks (medians of 5 repetitions) =="
for b in build/bench/parvelin_bench build/bench/parvelin_bench_paint; do
  [ -x "$b" ] && "$b" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>/dev/null | grep -E '_median'
done

echo "== Start-up to the first painted window, $runs runs =="
# PARVELIN_QUIT_AFTER_FIRST_PAINT=1 ends the program once its first document window has painted.
for i in $(seq "$runs"); do
  PARVELIN_QUIT_AFTER_FIRST_PAINT=1 /usr/bin/time -v build/app/parvelin 2>&1 >/dev/null |
    awk -F': ' '/Elapsed \(wall clock\)/ {t=$2} /Maximum resident set size/ {m=$2} END {printf "wall %s s, peak RSS %.1f MiB\n", t, m/1024}'
done

echo "== parvelin-cli export throughput =="
out=$(mktemp -d)
files=()
for f in "$airfoils"/*; do
  [ "$(basename "$f")" = SOURCES.md ] && continue
  files+=("$f")
done
start=$(date +%s.%N)
n=0
for round in 1 2 3 4 5; do
  for f in "${files[@]}"; do
    build/cli/parvelin-cli export --chord 200 --set leadingEdgeStyle=1 --set sparStyle=1 \
      --set sparDistanceInPercent=1 --set trailingEdgeStyle=1 --set sheetingStyle=4 \
      "$f" "$out/$round-$(basename "$f").dxf" 2>/dev/null || true
    n=$((n + 1))
  done
done
end=$(date +%s.%N)
awk -v n="$n" -v s="$start" -v e="$end" 'BEGIN {printf "%d files (one process each) in %.2f s: %.0f files/s\n", n, e - s, n / (e - s)}' 

echo "== Whole process, one Clark Y rib (perf stat -r 50: CPU time, wall time) =="
# parvelin-cli links no Qt: export and cut cost little more than starting any process.
if command -v perf >/dev/null; then
  rib=(--chord 200 --set sparStyle=1 "$airfoils/asb__clarky.dat")
  for run in "/bin/true" "build/cli/parvelin-cli export ${rib[*]} $out/rib.dxf" \
             "build/cli/parvelin-cli cut ${rib[*]} $out/rib.dxf"; do
    perf stat -r 50 --pre "rm -f $out/rib.dxf" $run 2>&1 >/dev/null |
      awk -v run="${run%% --*}" '/task-clock/ {c=$1} /elapsed/ {w=$1 * 1000} END {printf "%-30s %.2f ms CPU, %.2f ms wall\n", run, c, w}'
  done
fi
rm -rf "$out"

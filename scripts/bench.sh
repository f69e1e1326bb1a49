#!/usr/bin/env bash
# Runs every benchmark program and script of bench/ against a build made with MORVIA_BENCH=ON.
set -eu
build=${1:-build-bench}
raiz=$(cd "$(dirname "$0")/.." && pwd)
for prog in "$build"/bench/bench_*; do
  [ -x "$prog" ] || continue
  echo "== $(basename "$prog")"
  "$prog" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>/dev/null
done
for script in "$raiz"/bench/*.sh; do
  [ -x "$script" ] || continue
  echo "== $(basename "$script")"
  "$script" "$build"
done

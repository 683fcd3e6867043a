#!/usr/bin/env bash
# Runs every benchmark of a build folder.
set -euo pipefail
build=${1:-build}
for b in "$build"/bench/tobrina_bench*; do
  [[ -f "$b" && -x "$b" ]] && "$b" --benchmark_counters_tabular=true
done

#!/usr/bin/env bash
# Builds, makes the synthetic trees (once) and prints the benchmark table.
# Usage: ./bench.sh [SCALE] [RUNS]   SCALE 1 = about 20,000 folders and 300,000 files
set -euo pipefail
cd "$(dirname "$0")"
scale="${1:-1}"
runs="${2:-3}"
build="${BUILD_DIR:-build}"
trees="${BENCH_DIR:-/var/tmp/pathquill-bench}"
if [[ "$build" == build ]]; then
  scripts/setup.sh
  scripts/build.sh
else
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$build" -j2 --target pathquill-list make_tree pathquill_bench bare_walker \
    export_bench
fi
mkdir -p "$trees"
small=$(awk "BEGIN { print $scale / 10 }")
for s in "$scale" "$small"; do
  [[ -d "$trees/tree-$s" ]] || "$build/bench/make_tree" "$trees/tree-$s" "$s"
done
# Formats as the German desktop shows them.
export LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8
[[ -d "$trees/flat-200000" ]] || "$build/bench/make_tree" --flat "$trees/flat-200000" 200000
[[ -d "$trees/chain-3000" ]] || "$build/bench/make_tree" --chain "$trees/chain-3000" 3000
"$build/bench/pathquill_bench" all "$trees/tree-$scale" "$trees/tree-$small" "$runs" \
  "$trees/flat-200000" "$trees/chain-3000"
"$build/bench/export_bench" all "$trees/tree-$scale" "$runs"

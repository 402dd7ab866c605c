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
# Makes a tree once: under a temporary name until it is complete, so an interrupted run
# starts it again instead of using half of it.
once() {
  local name="$1"
  shift
  [[ -d "$trees/$name" ]] && return
  rm -rf "$trees/$name.part"
  "$build/bench/make_tree" "$@" && mv "$trees/$name.part" "$trees/$name"
}
small=$(awk "BEGIN { print $scale / 10 }")
for s in "$scale" "$small"; do
  once "tree-$s" "$trees/tree-$s.part" "$s"
done
once flat-200000 --flat "$trees/flat-200000.part" 200000
once chain-3000 --chain "$trees/chain-3000.part" 3000
# Formats as the German desktop shows them.
export LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8
"$build/bench/pathquill_bench" all "$trees/tree-$scale" "$trees/tree-$small" "$runs" \
  "$trees/flat-200000" "$trees/chain-3000"
"$build/bench/export_bench" all "$trees/tree-$scale" "$runs"

#!/usr/bin/env bash
# Set-up, build and run every test (widget tests offscreen).
#   ./test.sh                  every test
#   ./test.sh --asan           every test under AddressSanitizer and UBSan (build-asan/)
#   ./test.sh --tsan           the search and hand-over tests under ThreadSanitizer (build-tsan/)
#   ./test.sh --fuzz SECONDS   each fuzz target for SECONDS (build-fuzz/, clang 14)
set -euo pipefail
cd "$(dirname "$0")"
supp="$PWD/tests/sanitizers"
export QT_QPA_PLATFORM=offscreen

case "${1:-}" in
"")
  scripts/setup.sh --tests
  scripts/build.sh
  cd build && ctest --output-on-failure -j"$(nproc)"
  ;;
--asan)
  scripts/setup.sh
  BUILD_DIR=build-asan BUILD_TYPE=RelWithDebInfo BUILD_TARGETS="core_tests widget_tests" \
    scripts/build.sh -DPATHQUILL_SANITIZE=address
  export ASAN_OPTIONS="detect_leaks=1:strict_init_order=1:check_initialization_order=1"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  cd build-asan && ctest --output-on-failure -j"$(nproc)" -R "core_tests|widget_tests"
  ;;
--tsan)
  scripts/setup.sh
  BUILD_DIR=build-tsan BUILD_TYPE=RelWithDebInfo BUILD_TARGETS="core_tests widget_tests" \
    scripts/build.sh -DPATHQUILL_SANITIZE=thread
  export TSAN_OPTIONS="suppressions=$supp/tsan.supp:second_deadlock_stack=1:halt_on_error=0"
  export LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8
  build-tsan/tests/core_tests --gtest_filter='Walker.*:ReadAheadTree.*:StructureSearch.*:ListCommand.*:ListFilters.*'
  build-tsan/tests/widget_tests \
    --gtest_filter='SearchControl.*:SearchCycles.*:WindowResponsiveness.*:MainWindow.*:SearchRunnerRows.*'
  ;;
--fuzz)
  seconds="${2:?usage: ./test.sh --fuzz SECONDS}"
  scripts/setup.sh --fuzz
  CC=clang-14 CXX=clang++-14 BUILD_DIR=build-fuzz BUILD_TYPE=RelWithDebInfo BUILD_TARGETS=fuzz_targets \
    scripts/build.sh -DPATHQUILL_FUZZ=ON
  export LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  for target in build-fuzz/tests/fuzz/*_fuzz; do
    name="$(basename "$target")"
    mkdir -p "build-fuzz/corpus/$name"
    echo "== $name for $seconds s"
    if ! "$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="build-fuzz/$name-" "build-fuzz/corpus/$name" >"build-fuzz/$name.log" 2>&1; then
      tail -n 40 "build-fuzz/$name.log"
      echo "$name found a fault; the input is in build-fuzz/$name-*" >&2
      exit 1
    fi
    grep -E '^(stat::number_of_executed_units|stat::average_exec_per_sec|Done)|DONE' "build-fuzz/$name.log"
  done
  ;;
*)
  echo "usage: ./test.sh [--asan | --tsan | --fuzz SECONDS]" >&2
  exit 2
  ;;
esac

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer + UndefinedBehaviorSanitizer)
# and runs each for a bounded time, one after the other; fails on the first finding.
#
#   fuzz/run.sh [seconds per target] [target ...]
#
# Default: 20 seconds each for every target. Targets are named without the fuzz_ prefix
# (x_text, rc_script, dialog_ops, bit_boxes). The build lives in build/fuzz (or
# $BITSCOPE_FUZZ_BUILD). Each target starts from its seeds in fuzz/corpus/<target>/ plus
# what earlier runs found (kept in the build folder, never in the repository); a finding
# is written to the build folder's fuzz-findings/ and its report printed.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-20}
shift || true
targets=("$@")
[[ ${#targets[@]} -gt 0 ]] || targets=(x_text rc_script dialog_ops bit_boxes)
build=${BITSCOPE_FUZZ_BUILD:-build/fuzz}

cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DBITSCOPE_BUILD_FUZZ=ON -DBITSCOPE_BUILD_GUI=OFF -DBUILD_TESTING=OFF -DBITSCOPE_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target "${targets[@]/#/fuzz_}"

mkdir -p "$build/fuzz-findings" "$build/fuzz-logs"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
for target in "${targets[@]}"; do
  corpus="$build/fuzz-corpus/$target"
  log="$build/fuzz-logs/$target.log"
  mkdir -p "$corpus"
  status=0
  "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$build/fuzz-findings/$target-" "$corpus" "fuzz/corpus/$target" >"$log" 2>&1 || status=$?
  if [[ $status -ne 0 ]]; then
    echo "fuzz_$target: FINDING (exit status $status), log $log" >&2
    grep -v '^ *#[0-9]* 0x' "$log" | tail -n 30 >&2
    exit 1
  fi
  # The last progress line and the final statistics: executions, coverage, corpus.
  done_line=$(grep -E '^#[0-9]+\s+DONE' "$log" | tail -n 1 || true)
  runs=$(awk '/stat::number_of_executed_units/ { print $NF }' "$log")
  rss=$(awk '/stat::peak_rss_mb/ { print $NF }' "$log")
  cov=$(sed -nE 's/.*cov: ([0-9]+) ft: ([0-9]+) corp: ([0-9]+).*/cov \1, features \2, corpus \3/p' <<<"$done_line")
  echo "fuzz_$target: ${seconds} s, ${runs:-?} executions, ${cov:-no progress line}, peak RSS ${rss:-?} MB, no finding"
done

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Measures how many values per second bitscope-cli handles in batch mode with
# --json: a generated file of a million mixed values (decimal numbers of every
# size and precision, integers, named infinities and NaNs, invalid texts) is
# read once per format and run, output discarded.
#
#   bench/cli_throughput.sh [path/to/bitscope-cli] [count] [runs]
#
# Without a path, the release build is configured and built first
# (cmake --preset release). Each format is timed `runs` times (default 3) and
# the median is reported. On a machine busy with other work the rate by CPU
# time is the steadier one; steadier still is the instruction count, which no
# load changes: with CALLGRIND_VALUES=n set (and valgrind installed), the
# instructions per value over the first n values are reported too.
set -euo pipefail
cd "$(dirname "$0")/.."

cli=${1:-}
count=${2:-1000000}
runs=${3:-3}
if [[ -z "$cli" ]]; then
  cmake --preset release >/dev/null
  cmake --build --preset release --target bitscope-cli >/dev/null
  cli=build/release/cli/bitscope-cli
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
values="$work/values.txt"

# A fixed seed: the same file on every run with the same awk.
awk -v n="$count" 'BEGIN {
  srand(42)
  for (i = 0; i < n; i++) {
    r = rand()
    if (r < 0.02) print "inf"
    else if (r < 0.03) print "-NaN"
    else if (r < 0.05) print "1.5abc"
    else if (r < 0.10) printf "%.9e\n", (rand() - 0.5) * 10 ^ (int(rand() * 80) - 40)
    else if (r < 0.20) printf "%d\n", int(rand() * 100000) - 50000
    else printf "%.*g\n", 1 + int(rand() * 17), (rand() - 0.5) * 10 ^ (int(rand() * 60) - 30)
  }
}' > "$values"

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Instructions of one run over the first n values (callgrind's total).
instructions() {
  valgrind --tool=callgrind --callgrind-out-file=/dev/null "$cli" --json --format "$1" < "$2" 2>&1 >/dev/null |
    awk '/Collected/ { print $NF }'
}

echo "bitscope-cli --json, $count values, median of $runs runs, $(nproc) cores, $cli"
TIMEFORMAT='%R %U %S'
for format in 32 64 128; do
  : > "$work/wall"
  : > "$work/cpu"
  for ((run = 0; run < runs; run++)); do
    status=0
    times=$( { time "$cli" --json --format "$format" < "$values" > /dev/null 2>&1 || status=$?; } 2>&1 )
    [[ $status -le 1 ]] || { echo "bitscope-cli failed with status $status" >&2; exit 1; }
    read -r real user sys <<< "$times"
    echo "$real" >> "$work/wall"
    awk -v u="$user" -v s="$sys" 'BEGIN { print u + s }' >> "$work/cpu"
  done
  awk -v r="$(median < "$work/wall")" -v c="$(median < "$work/cpu")" -v n="$count" -v f="$format" \
    'BEGIN { printf "Binary%-4s wall %6.2f s %8.0f values/s   cpu %6.2f s %8.0f values/s", f, r, n / r, c, n / c }'
  if [[ -n "${CALLGRIND_VALUES:-}" ]]; then
    head -n "$CALLGRIND_VALUES" "$values" > "$work/head.txt"
    # The start-up's instructions, counted on empty input, are not the values'.
    per=$(( ($(instructions "$format" "$work/head.txt") - $(instructions "$format" /dev/null)) / CALLGRIND_VALUES ))
    printf "   %6d instructions/value" "$per"
  fi
  echo
done

#!/usr/bin/env bash
# Measures how many values per second bitscope-cli handles in batch mode with
# --json: a generated file of a million mixed values (decimal numbers of every
# size and precision, integers, named infinities and NaNs, invalid texts) is
# read once per format, output discarded.
#
#   bench/cli_throughput.sh [path/to/bitscope-cli] [count]
#
# Without a path, the release build is configured and built first
# (cmake --preset release). The wall-clock rate is the figure that counts; on
# a machine busy with other work the rate by CPU time is the steadier one.
set -euo pipefail
cd "$(dirname "$0")/.."

cli=${1:-}
count=${2:-1000000}
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

echo "bitscope-cli --json, $count values, $(nproc) cores, $cli"
echo "(the rate by CPU time is the steadier figure on a busy machine)"
TIMEFORMAT='%R %U %S'
for format in 32 64 128; do
  status=0
  times=$( { time "$cli" --json --format "$format" < "$values" > /dev/null 2>&1 || status=$?; } 2>&1 )
  [[ $status -le 1 ]] || { echo "bitscope-cli failed with status $status" >&2; exit 1; }
  read -r real user sys <<< "$times"
  awk -v r="$real" -v c="$(awk -v u="$user" -v s="$sys" 'BEGIN { print u + s }')" -v n="$count" -v f="$format" \
    'BEGIN { printf "Binary%-4s wall %6.2f s %8.0f values/s   cpu %6.2f s %8.0f values/s\n", f, r, n / r, c, n / c }'
done

#!/usr/bin/env bash
# Benchmarks brackwen on generated override files and prints a table of wall time, output
# throughput and peak memory, best of three runs each, next to `cat` of the largest output.
#
#   bench/run.sh [BUILD_DIR]      (default: build-bench, configured as a Release build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
# The build's packages and `time`, which measures the peak memory, installed when missing.
tools/install-deps.sh time
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRACKWEN_TESTS=OFF -DBRACKWEN_BENCH=ON >/dev/null
cmake --build "$build" --target brackwen gen_overrides >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

gen() { "$build/bench/gen_overrides" "$@"; }
gen 1000000 1000000 > "$work/distinct-1m.txt"
gen 500000 500000 > "$work/distinct-500k.txt"
gen 1000000 1000 > "$work/lines-1m-distinct-1k.txt"
gen 20000 20000 > "$work/distinct-20k.txt"
gen --digits 1000000 > "$work/digits-1m.txt"
"$build/brackwen" 64 32 < "$work/distinct-1m.txt" > "$work/distinct-1m.script"

# Best of three: prints "seconds peak_kb" of the fastest run of the command, with standard
# input from $input (or /dev/null) and standard output to /dev/null.
best_of_three() {
  local best_ns="" best_kb="" start end
  for _ in 1 2 3; do
    start=$(date +%s%N)
    /usr/bin/time -f '%M' -o "$work/rss" "$@" < "${input:-/dev/null}" > /dev/null
    end=$(date +%s%N)
    if [ -z "$best_ns" ] || [ $((end - start)) -lt "$best_ns" ]; then
      best_ns=$((end - start))
      best_kb=$(tail -n 1 "$work/rss")
    fi
  done
  awk -v ns="$best_ns" -v kb="$best_kb" 'BEGIN{printf "%.3f %s\n", ns/1e9, kb}'
}

printf '%-28s %10s %10s %12s %12s\n' case seconds "in MB" "out MB/s" "peak RSS MB"
row() {
  local name=$1 input=$2 result seconds kb in_mb out_bytes
  result=$(input=$input best_of_three "$build/brackwen" 64 32)
  seconds=${result%% *}
  kb=${result##* }
  in_mb=$(awk -v b="$(stat -c %s "$input")" 'BEGIN{printf "%.1f", b/1e6}')
  out_bytes=$("$build/brackwen" 64 32 < "$input" | wc -c)
  awk -v n="$name" -v s="$seconds" -v i="$in_mb" -v o="$out_bytes" -v k="$kb" \
    'BEGIN{printf "%-28s %10.3f %10s %12.0f %12.1f\n", n, s, i, (s > 0 ? o/1e6/s : 0), k/1024}'
}
row "1,000,000 distinct" "$work/distinct-1m.txt"
row "500,000 distinct" "$work/distinct-500k.txt"
row "1,000,000 lines, 1,000 distinct" "$work/lines-1m-distinct-1k.txt"
row "20,000 distinct" "$work/distinct-20k.txt"
row "one field of 1,000,000 digits" "$work/digits-1m.txt"
result=$(input="" best_of_three cat "$work/distinct-1m.script")
awk -v s="${result%% *}" -v o="$(stat -c %s "$work/distinct-1m.script")" -v k="${result##* }" \
  'BEGIN{printf "%-28s %10.3f %10s %12.0f %12.1f\n", "cat of the 1,000,000 script", s, "-", (s > 0 ? o/1e6/s : 0), k/1024}'

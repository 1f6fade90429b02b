#!/usr/bin/env bash
# Times builds of brackwen against each other in one sitting: in each of ROUNDS rounds every
# binary runs once on FILE, in a shuffled order, with output to /dev/null. Prints the least and
# the median wall time of each; interleaving spreads the machine's other load over all of them.
#
#   bench/compare.sh ROUNDS FILE BINARY...
set -euo pipefail
rounds=$1 file=$2
shift 2
binaries=("$@")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for _ in $(seq "$rounds"); do
  for i in $(shuf -e "${!binaries[@]}"); do
    start=$(date +%s%N)
    "${binaries[$i]}" 64 32 < "$file" > /dev/null
    end=$(date +%s%N)
    echo $((end - start)) >> "$work/$i"
  done
done
printf '%-48s %10s %10s\n' binary "least ms" "median ms"
for i in "${!binaries[@]}"; do
  sort -n "$work/$i" | awk -v b="${binaries[$i]}" \
    '{t[NR] = $1} END {printf "%-48s %10.1f %10.1f\n", b, t[1] / 1e6, t[int((NR + 1) / 2)] / 1e6}'
done

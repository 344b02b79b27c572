#!/usr/bin/env bash
# Opening a 1 GiB dump file, working copy included, against cp of the same file into the same
# temporary folder. Both run in turn, a few times each after one warming read, and the medians
# are compared. Target: ratio at most 1.2.
set -euo pipefail

dir=$BYZEL_BENCH_DIR
file=$dir/dump-1g.bin
repetitions=${BYZEL_BENCH_REPETITIONS:-5}
[ -f "$file" ] || head -c 1G /dev/urandom > "$file"
cat "$file" > /dev/null

cp_ns=()
open_ns=()
for ((i = 0; i < repetitions; i++)); do
    start=$(date +%s%N)
    cp "$file" "$dir/cp-copy.bin"
    end=$(date +%s%N)
    rm -f "$dir/cp-copy.bin"
    cp_ns+=($((end - start)))
    open_ns+=("$("$BYZEL_BUILD/bench/open_dump" "$file" "$dir")")
done

median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
figure=$(median "${open_ns[@]}")
anchor=$(median "${cp_ns[@]}")
awk -v f="$figure" -v a="$anchor" 'BEGIN {
    printf "%-40s %8.3f s   cp %8.3f s   ratio %.2f (target <= 1.20)\n",
           "open 1 GiB dump file with working copy", f / 1e9, a / 1e9, f / a }'

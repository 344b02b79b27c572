#!/usr/bin/env bash
# Opening a 1 GiB dump file until its working copy is complete, against cp of the same file into
# the same temporary folder. Both run in turn, a few times each after one warming read, and the
# medians are compared. Target: ratio at most 1.0. Then the disk space the working copy of a
# 1 GiB sparse file holding 4 KiB of data takes, beside cp's copy. Target: under 1 MiB.
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
    read -r ns _ < <("$BYZEL_BUILD/bench/open_dump" "$file" "$dir")
    open_ns+=("$ns")
done

median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
figure=$(median "${open_ns[@]}")
anchor=$(median "${cp_ns[@]}")
awk -v f="$figure" -v a="$anchor" 'BEGIN {
    printf "%-40s %8.3f s   cp %8.3f s   ratio %.2f (target <= 1.00)\n",
           "open 1 GiB, working copy complete", f / 1e9, a / 1e9, f / a }'

sparse=$dir/sparse-1g.bin
rm -f "$sparse"
truncate -s 1G "$sparse"
head -c 4096 /dev/urandom | dd of="$sparse" bs=4096 seek=65536 conv=notrunc status=none
read -r _ used < <("$BYZEL_BUILD/bench/open_dump" "$sparse" "$dir")
cp "$sparse" "$dir/cp-sparse.bin"
cp_used=$(($(stat -c %b "$dir/cp-sparse.bin") * $(stat -c %B "$dir/cp-sparse.bin")))
rm -f "$sparse" "$dir/cp-sparse.bin"
awk -v f="$used" -v a="$cp_used" 'BEGIN {
    printf "%-40s %8.0f KiB cp %8.0f KiB ratio %.2f (target < 1024 KiB)\n",
           "working copy of 1 GiB sparse, 4 KiB data", f / 1024, a / 1024, (a > 0 ? f / a : 0) }'

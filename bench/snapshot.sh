#!/usr/bin/env bash
# From the start of "byzel --snapshot" to the PNG written, for a 1 GiB dump file against a 4 KiB
# one in the same run: the first page must not wait for the working copy. Median of a few runs
# each, after one warming read. Target: ratio at most 1.5.
set -euo pipefail

dir=$BYZEL_BENCH_DIR
file=$dir/dump-1g.bin
small=$dir/dump-4k.bin
repetitions=${BYZEL_BENCH_REPETITIONS:-5}
[ -f "$file" ] || head -c 1G /dev/urandom > "$file"
head -c 4096 "$file" > "$small"
cat "$file" > /dev/null

snapshot_ns() {
    local start end
    start=$(date +%s%N)
    TMPDIR=$dir QT_QPA_PLATFORM=offscreen "$BYZEL_BUILD/src/app/byzel" --snapshot "$dir/shot.png" "$1" \
        > /dev/null 2>&1
    end=$(date +%s%N)
    [ -s "$dir/shot.png" ] || { echo "no snapshot of $1" >&2; exit 1; }
    rm -f "$dir/shot.png"
    echo $((end - start))
}

large_ns=()
small_ns=()
for ((i = 0; i < repetitions; i++)); do
    small_ns+=("$(snapshot_ns "$small")")
    large_ns+=("$(snapshot_ns "$file")")
done

median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
figure=$(median "${large_ns[@]}")
anchor=$(median "${small_ns[@]}")
awk -v f="$figure" -v a="$anchor" 'BEGIN {
    printf "%-40s %8.3f s   4 KiB %5.3f s   ratio %.2f (target <= 1.50)\n",
           "snapshot of 1 GiB dump file", f / 1e9, a / 1e9, f / a }'

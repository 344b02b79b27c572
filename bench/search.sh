#!/usr/bin/env bash
# A downward search without a match over 1 GiB against grep -F -c -a with the same pattern on
# the same file, in turn, a few times each after one warming read; the medians are compared.
# Target: ratio at most 1.0.
set -euo pipefail

dir=$BYZEL_BENCH_DIR
file=$dir/dump-1g.bin
repetitions=${BYZEL_BENCH_REPETITIONS:-5}
[ -f "$file" ] || head -c 1G /dev/urandom > "$file"
cat "$file" > /dev/null

median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
for pattern in 'Byzel-search' 'Byzel!'; do
    grep_ns=()
    search_ns=()
    for ((i = 0; i < repetitions; i++)); do
        start=$(date +%s%N)
        LC_ALL=C grep -F -c -a -- "$pattern" "$file" > /dev/null || true
        end=$(date +%s%N)
        grep_ns+=($((end - start)))
        search_ns+=("$("$BYZEL_BUILD/bench/search_dump" "$file" "$dir" "$pattern" 2> /dev/null)")
    done
    figure=$(median "${search_ns[@]}")
    anchor=$(median "${grep_ns[@]}")
    awk -v f="$figure" -v a="$anchor" -v p="$pattern" 'BEGIN {
        printf "%-40s %8.3f s   grep %8.3f s   ratio %.2f (target <= 1.00)\n",
               "search 1 GiB down, \"" p "\"", f / 1e9, a / 1e9, f / a }'
done

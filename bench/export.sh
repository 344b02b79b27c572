#!/usr/bin/env bash
# Whole-file text export of a 256 MiB dump file by byzel-cli against xxd of the same file, both
# into /dev/null, in turn, a few times each after one warming read; the medians are compared.
# Then the peak memory of one export. Targets: byzel-cli at least 3 times faster than xxd
# (ratio at most 0.33), peak memory under 64 MiB.
set -euo pipefail

dir=$BYZEL_BENCH_DIR
file=$dir/dump-256m.bin
cli=$BYZEL_BUILD/src/cli/byzel-cli
repetitions=${BYZEL_BENCH_REPETITIONS:-5}
[ -f "$file" ] || head -c 256M /dev/urandom > "$file"
cat "$file" > /dev/null

elapsed_ns() {
    local start end
    start=$(date +%s%N)
    "$@" > /dev/null
    end=$(date +%s%N)
    echo $((end - start))
}

xxd_ns=()
export_ns=()
for ((i = 0; i < repetitions; i++)); do
    xxd_ns+=("$(elapsed_ns xxd "$file")")
    export_ns+=("$(elapsed_ns "$cli" dump "$file")")
done

/usr/bin/time -f %M -o "$dir/export-peak.txt" "$cli" dump "$file" > /dev/null
peak_kib=$(tail -n 1 "$dir/export-peak.txt")

median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
figure=$(median "${export_ns[@]}")
anchor=$(median "${xxd_ns[@]}")
awk -v f="$figure" -v a="$anchor" 'BEGIN {
    printf "%-40s %8.3f s   xxd %7.3f s   ratio %.2f (target <= 0.33; %.1fx faster)\n",
           "export 256 MiB dump list (byzel-cli)", f / 1e9, a / 1e9, f / a, a / f }'
awk -v k="$peak_kib" 'BEGIN {
    printf "%-40s %8.1f MiB                 (target < 64 MiB)\n",
           "peak memory of that export", k / 1024 }'

#!/usr/bin/env bash
# The analysis tools of byzel-cli on files already in the page cache, a few runs each, medians
# compared:
# - crc of a 1 GiB range against Python's zlib.crc32 over the same file through mmap, in turn.
#   Targets: ratio at most 0.5, peak memory under 64 MiB.
# - count of a 256 MiB file, throughput in MB/s against cat of the same file as the anchor.
#   Targets: at least 500 MB/s; peak memory the same for 16 MiB and 256 MiB (constant).
set -euo pipefail

dir=$BYZEL_BENCH_DIR
cli=$BYZEL_BUILD/src/cli/byzel-cli
repetitions=${BYZEL_BENCH_REPETITIONS:-5}
big=$dir/crc-1g.bin
file=$dir/dump-256m.bin
small=$dir/count-16m.bin
[ -f "$big" ] || head -c 1G /dev/urandom > "$big"
[ -f "$file" ] || head -c 256M /dev/urandom > "$file"
[ -f "$small" ] || head -c 16M "$file" > "$small"
cat "$big" "$file" > /dev/null

elapsed_ns() {
    local start end
    start=$(date +%s%N)
    "$@" > /dev/null 2>&1
    end=$(date +%s%N)
    echo $((end - start))
}
peak_kib() {
    /usr/bin/time -f %M -o "$dir/tools-peak.txt" "$@" > /dev/null 2>&1
    tail -n 1 "$dir/tools-peak.txt"
}
median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

zlib_crc='import mmap, sys, zlib
with open(sys.argv[1], "rb") as f, mmap.mmap(f.fileno(), 0, access=mmap.ACCESS_READ) as m:
    print("%08X" % zlib.crc32(m))'
last=$(($(stat -c %s "$big") - 1))
[ "$(python3 -c "$zlib_crc" "$big")" = "$("$cli" crc "$big" 0 "$last" | sed -n 's/^CRC:\t//p' | tr -d ' ')" ] ||
    { echo "crc: byzel-cli and zlib disagree" >&2; exit 1; }

crc_ns=()
zlib_ns=()
count_ns=()
cat_ns=()
for ((i = 0; i < repetitions; i++)); do
    zlib_ns+=("$(elapsed_ns python3 -c "$zlib_crc" "$big")")
    crc_ns+=("$(elapsed_ns "$cli" crc "$big" 0 "$last")")
    cat_ns+=("$(elapsed_ns cat "$file")")
    count_ns+=("$(elapsed_ns "$cli" count "$file")")
done
crc_peak=$(peak_kib "$cli" crc "$big" 0 "$last")
count_peak=$(peak_kib "$cli" count "$file")
small_peak=$(peak_kib "$cli" count "$small")

figure=$(median "${crc_ns[@]}")
anchor=$(median "${zlib_ns[@]}")
awk -v f="$figure" -v a="$anchor" 'BEGIN {
    printf "%-40s %8.3f s   zlib %6.3f s   ratio %.2f (target <= 0.5)\n",
           "crc of a 1 GiB range (byzel-cli)", f / 1e9, a / 1e9, f / a }'
awk -v k="$crc_peak" 'BEGIN {
    printf "%-40s %8.1f MiB                 (target < 64 MiB)\n", "peak memory of that crc", k / 1024 }'
figure=$(median "${count_ns[@]}")
anchor=$(median "${cat_ns[@]}")
awk -v f="$figure" -v a="$anchor" -v bytes=$((256 << 20)) 'BEGIN {
    printf "%-40s %8.0f MB/s  cat %6.0f MB/s  ratio %.2f (target >= 500 MB/s)\n",
           "count of 256 MiB (byzel-cli)", bytes / (f / 1e9) / 1e6, bytes / (a / 1e9) / 1e6, f / a }'
awk -v k="$count_peak" -v s="$small_peak" 'BEGIN {
    printf "%-40s %8.1f MiB   16 MiB file %.1f MiB   (target: the same)\n",
           "peak memory of that count", k / 1024, s / 1024 }'

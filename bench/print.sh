#!/usr/bin/env bash
# Printing 200 pages of a 256 MiB dump file with 5000 markers and their link lines to a PDF
# (pages per second), and the whole-file text export of that file through the print dialog's
# file output against byzel-cli dump of the same file into a file of the same folder.
# Target: the dialog's export at the speed of byzel-cli (ratio about 1).
set -euo pipefail

dir=$BYZEL_BENCH_DIR
file=$dir/dump-256m.bin
cli=$BYZEL_BUILD/src/cli/byzel-cli
[ -f "$file" ] || head -c 256M /dev/urandom > "$file"
cat "$file" > /dev/null

start=$(date +%s%N)
"$cli" dump "$file" > "$dir/cli-dump.txt"
cli_ns=$(($(date +%s%N) - start))
rm -f "$dir/cli-dump.txt"

# The working copy made at open goes to the bench folder, not to a small /tmp.
read -r pages print_ns export_ns < <(TMPDIR=$dir "$BYZEL_BUILD/bench/print_dump" "$file" "$dir")
rm -f "$dir/DumpList.txt" "$dir/print.pdf"
awk -v p="$pages" -v n="$print_ns" 'BEGIN {
    printf "%-40s %8.3f s   %6.1f pages/s\n", "print " p " pages to PDF, 5000 markers", n / 1e9,
           p / (n / 1e9) }'
awk -v f="$export_ns" -v a="$cli_ns" 'BEGIN {
    printf "%-40s %8.3f s   cli %7.3f s   ratio %.2f (target about 1)\n",
           "export 256 MiB through the print dialog", f / 1e9, a / 1e9, f / a }'

#!/usr/bin/env bash
# Rendering a full 1920 x 1080 view of a 1 GiB dump file with 5000 markers, the last of them
# reaching from the middle to the end of the file, against the same view with an empty table in
# the same run, once more with the link lines of the listed markers drawn. Median time per frame.
# Target: under 4 ms per frame.
set -euo pipefail

dir=$BYZEL_BENCH_DIR
file=$dir/dump-1g.bin
frames=${BYZEL_BENCH_FRAMES:-60}
[ -f "$file" ] || head -c 1G /dev/urandom > "$file"

# The working copy made at open goes to the bench folder, not to a small /tmp.
read -r marked linked empty < <(TMPDIR=$dir "$BYZEL_BUILD/bench/render_view" "$file" "$frames")
awk -v f="$marked" -v l="$linked" -v a="$empty" 'BEGIN {
    printf "%-40s %8.3f ms  empty %6.3f ms  ratio %.2f (target < 4 ms)\n",
           "render 1920x1080 view, 5000 markers", f / 1e6, a / 1e6, f / a
    printf "%-40s %8.3f ms  empty %6.3f ms  ratio %.2f (target < 4 ms)\n",
           "  the same with link lines", l / 1e6, a / 1e6, l / a }'

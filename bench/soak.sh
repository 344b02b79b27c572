#!/usr/bin/env bash
# Soak: 1000 sessions that open a work, lay markers, save and close it, then one scroll of a
# 1 GiB (sparse) dump file from its first to its last scroll position, all in one process each.
# Resident memory after the first round and at the end must stay flat: growth beyond a few
# megabytes is a leak.
set -euo pipefail

dir=$BYZEL_BENCH_DIR
sessions=${BYZEL_SOAK_SESSIONS:-1000}
work=$dir/soak-work
mkdir -p "$work"
head -c 64K /dev/urandom > "$work/dump.bin"
sparse=$dir/soak-sparse-1g.bin
rm -f "$sparse"
truncate -s 1G "$sparse"

report() {
    awk -v what="$1" -v s="$2" -v e="$3" -v p="$4" -v t="$5" 'BEGIN {
        printf "%-40s %8.1f s   RSS start %7.1f MB  end %7.1f MB  peak %7.1f MB  growth %+.1f MB (target < 4)\n",
               what, t, s / 1024, e / 1024, p / 1024, (e - s) / 1024 }'
}

# The working copies go to the bench folder, not to a small /tmp.
read -r start end peak seconds < <(TMPDIR=$dir "$BYZEL_BUILD/bench/soak_session" work \
    "$work/dump.bin" "$work" "$sessions")
report "soak: $sessions open/mark/save/close" "$start" "$end" "$peak" "$seconds"
read -r start end peak seconds < <(TMPDIR=$dir "$BYZEL_BUILD/bench/soak_session" scroll "$sparse")
report "soak: scroll 1 GiB end to end" "$start" "$end" "$peak" "$seconds"
rm -f "$sparse"

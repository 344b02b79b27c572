#!/usr/bin/env bash
# Soak: 1000 sessions that open a work, lay markers, save and close it, then one scroll of a
# 1 GiB (sparse) dump file from its first to its last scroll position, all in one process each.
# Resident memory after the first round, half way and at the end must stay flat.
set -euo pipefail

dir=$BYZEL_BENCH_DIR
sessions=${BYZEL_SOAK_SESSIONS:-1000}
work=$dir/soak-work
mkdir -p "$work"
head -c 64K /dev/urandom > "$work/dump.bin"
sparse=$dir/soak-sparse-1g.bin
rm -f "$sparse"
truncate -s 1G "$sparse"

# Flat means the second half of the run adds nothing to speak of: the first half may still fill
# caches.
report() {
    awk -v what="$1" -v s="$2" -v h="$3" -v e="$4" -v p="$5" -v t="$6" 'BEGIN {
        printf "%-40s %7.1f s  RSS start %6.1f MB  half %6.1f MB  end %6.1f MB  peak %6.1f MB  second half %+.2f MB (target < 1)\n",
               what, t, s / 1024, h / 1024, e / 1024, p / 1024, (e - h) / 1024 }'
}

# The working copies go to the bench folder, not to a small /tmp.
read -r start half end peak seconds < <(TMPDIR=$dir "$BYZEL_BUILD/bench/soak_session" work \
    "$work/dump.bin" "$work" "$sessions")
report "soak: $sessions open/mark/save/close" "$start" "$half" "$end" "$peak" "$seconds"
read -r start half end peak seconds < <(TMPDIR=$dir "$BYZEL_BUILD/bench/soak_session" scroll "$sparse")
report "soak: scroll 1 GiB end to end" "$start" "$half" "$end" "$peak" "$seconds"
rm -f "$sparse"

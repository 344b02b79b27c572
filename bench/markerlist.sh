#!/usr/bin/env bash
# The marker management list on 5000 markers: opening it (first paint included) and clearing
# 2500 checked markers, against opening it on a single marker in the same run. Median of five.
# Target: each well under a second.
set -euo pipefail

read -r open clear anchor < <(QT_QPA_PLATFORM=offscreen \
    "$BYZEL_BUILD/bench/marker_list" "$BYZEL_BENCH_DIR")
awk -v o="$open" -v c="$clear" -v a="$anchor" 'BEGIN {
    printf "%-40s %8.3f ms  one marker %6.3f ms  ratio %.2f (target < 1000 ms)\n",
           "open management list, 5000 markers", o / 1e6, a / 1e6, o / a
    printf "%-40s %8.3f ms  one marker %6.3f ms  ratio %.2f (target < 1000 ms)\n",
           "  clear 2500 checked markers", c / 1e6, a / 1e6, c / a }'

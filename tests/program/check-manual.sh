#!/usr/bin/env bash
# Checks the manual the build laid out: a PDF of several pages with Japanese text in an embedded
# Japanese font and the picture of the program in it.
set -euo pipefail
pdf=$1

fail() { echo "manual check: $*" >&2; exit 1; }
[ -f "$pdf" ] || fail "$pdf missing"
[ "$(head -c 5 "$pdf")" = "%PDF-" ] || fail "not a PDF file"
pages=$(grep -a -o '/Type /Page\b' "$pdf" | wc -l)
[ "$pages" -ge 10 ] || fail "only $pages pages"
grep -a -q '/Subtype /Image' "$pdf" || fail "no picture of the program"
grep -a -E -q '/BaseFont /(IPA|Noto[A-Za-z]*CJK|VL|Takao)' "$pdf" || fail "no Japanese font embedded"
echo "manual ok: $pages pages"

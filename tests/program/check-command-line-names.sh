#!/usr/bin/env bash
# Runs the program on file names the shell passes whole: one holding a quote and blanks beside
# a folder its first word names, and Shift-JIS names that are not UTF-8, read and written.
set -euo pipefail
program=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir "$tmp/work" "$tmp/config" "$tmp/report"
run() {
    TMPDIR=$tmp/work XDG_CONFIG_HOME=$tmp/config QT_QPA_PLATFORM=offscreen \
        "$program" --size 320x200 "$@"
}
is_png() { [ "$(head -c 4 "$1" | tail -c 3)" = PNG ]; }

head -c 500 /dev/urandom > "$tmp/report\" (copy).bin"
run --snapshot "$tmp/quoted.png" "$tmp/report\" (copy).bin"
is_png "$tmp/quoted.png" || { echo "the name with a quote and blanks was not shown"; exit 1; }

sjis_in=$tmp/$'\x83\x66\x81\x5b\x83\x5e.bin'
sjis_out=$tmp/$'\x8f\x6f\x97\xcd.png'
head -c 500 /dev/urandom > "$sjis_in"
run --snapshot "$sjis_out" "$sjis_in"
is_png "$sjis_out" || { echo "the Shift-JIS names were not kept byte for byte"; ls "$tmp"; exit 1; }

sjis_pdf=$tmp/$'\x88\xf3\x8d\xfc.pdf'
run --print-pdf "$sjis_pdf" --range page "$sjis_in"
[ "$(head -c 5 "$sjis_pdf")" = %PDF- ] || { echo "the PDF did not reach its Shift-JIS name"; ls "$tmp"; exit 1; }
echo "names reached the file system as given"

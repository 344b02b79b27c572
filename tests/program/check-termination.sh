#!/usr/bin/env bash
# Starts the program on a dump file, ends it with SIGTERM as a logout or `kill` would, and checks
# that it removed its work folder with the copy of the dump file.
set -euo pipefail
program=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir "$tmp/work" "$tmp/config" "$tmp/runtime"
chmod 700 "$tmp/runtime"
head -c 100000 /dev/urandom > "$tmp/data.bin"

TMPDIR=$tmp/work XDG_CONFIG_HOME=$tmp/config XDG_RUNTIME_DIR=$tmp/runtime QT_QPA_PLATFORM=offscreen \
    "$program" "$tmp/data.bin" 2>/dev/null &
pid=$!
for _ in $(seq 100); do
    compgen -G "$tmp/work/Byzel*/Byzel.tmp" >/dev/null && break
    sleep 0.1
done
compgen -G "$tmp/work/Byzel*/Byzel.tmp" >/dev/null || { kill -9 $pid; echo "no working copy made"; exit 1; }
kill -TERM $pid
wait $pid || true
if [ -n "$(ls -A "$tmp/work")" ]; then
    echo "work folder left behind after SIGTERM: $(ls "$tmp/work")"
    exit 1
fi
echo "work folder removed after SIGTERM"

#!/usr/bin/env bash
# byzel-cli values over 1,000 files of 1 MiB with a work of 500 markers (1 to 64 bytes each),
# CSV into /dev/null, files already in the page cache. Anchor: Python reading the same marker
# bytes (seek and read per marker) and writing them as hex lines. Figures: files per second of
# both, and the peak memory for 1,000 files against 10 files, which must be the same, as the
# rows stream one file at a time.
set -euo pipefail

dir=$BYZEL_BENCH_DIR/values
cli=$BYZEL_BUILD/src/cli/byzel-cli
repetitions=${BYZEL_BENCH_REPETITIONS:-3}
mkdir -p "$dir"
if [ ! -f "$dir/f999.bin" ]; then
    head -c 1M /dev/urandom > "$dir/f0.bin"
    for ((i = 1; i < 1000; i++)); do
        head -c 1M /dev/urandom > "$dir/f$i.bin"
    done
fi
python3 - "$dir" <<'PY'
import json, sys
d = sys.argv[1]
markers = [{"start": i * 2096, "end": i * 2096 + i % 64, "color": "#FF0000",
            "remark": f"field {i}, \"quoted\""} for i in range(500)]
json.dump({"dumpPath": d + "/f0.bin", "markers": markers}, open(d + "/work.json", "w"))
PY
"$cli" import-markers "$dir/work.json" -o "$dir/work.mkg" --force
files=()
for ((i = 0; i < 1000; i++)); do files+=("$dir/f$i.bin"); done
cat "${files[@]}" > /dev/null

python_anchor='import json, sys
markers = json.load(open(sys.argv[1]))["markers"]
out = sys.stdout
for path in sys.argv[2:]:
    with open(path, "rb") as f:
        for m in markers:
            f.seek(m["start"])
            out.write(f.read(min(32, m["end"] - m["start"] + 1)).hex(" ") + "\n")'

elapsed_ns() {
    local start end
    start=$(date +%s%N)
    "$@" > /dev/null
    end=$(date +%s%N)
    echo $((end - start))
}
median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

values_ns=()
python_ns=()
for ((i = 0; i < repetitions; i++)); do
    python_ns+=("$(elapsed_ns python3 -c "$python_anchor" "$dir/work.json" "${files[@]}")")
    values_ns+=("$(elapsed_ns "$cli" values "$dir/work.mkg" "${files[@]}")")
done
/usr/bin/time -f %M -o "$dir/peak-1000.txt" "$cli" values "$dir/work.mkg" "${files[@]}" > /dev/null
/usr/bin/time -f %M -o "$dir/peak-10.txt" "$cli" values "$dir/work.mkg" "${files[@]:0:10}" > /dev/null

figure=$(median "${values_ns[@]}")
anchor=$(median "${python_ns[@]}")
awk -v f="$figure" -v a="$anchor" 'BEGIN {
    printf "%-40s %8.0f files/s   python %6.0f files/s   ratio %.2f\n",
           "values, 1000 files x 500 markers", 1000 / (f / 1e9), 1000 / (a / 1e9), f / a }'
awk -v k="$(tail -n 1 "$dir/peak-1000.txt")" -v s="$(tail -n 1 "$dir/peak-10.txt")" 'BEGIN {
    printf "%-40s %8.1f MiB   10 files %6.1f MiB   (target: the same)\n",
           "peak memory of values, 1000 files", k / 1024, s / 1024 }'

#!/usr/bin/env bash
# Runs "byzel-cli values" on a work whose remarks hold quotes, commas, line breaks, YAML syntax
# and Japanese text, and reads its CSV and JSON back with Python's own parsers: every remark
# must come back as written, and hex, values and status must match the file's bytes.
set -euo pipefail
cli=$1
remarks=$2

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

python3 - "$dir" "$remarks" <<'PY'
import json, sys
d, remarks = sys.argv[1], json.load(open(sys.argv[2], encoding="utf-8"))
data = bytes((i * 37 + 11) % 256 for i in range(300))
open(d + "/data.bin", "wb").write(data)
markers = [{"start": 12 * i + 3, "end": 12 * i + 3 + i % 9, "color": "#FF0000", "remark": r}
           for i, r in enumerate(remarks)]
markers.append({"start": 5000, "end": 5003, "color": "#FF0000", "remark": "past the end"})
json.dump({"dumpPath": d + "/data.bin", "markers": markers},
          open(d + "/work.json", "w", encoding="utf-8"), ensure_ascii=False)
PY
"$cli" import-markers "$dir/work.json" -o "$dir/work.mkg"
"$cli" values "$dir/work.mkg" -o "$dir/values.csv"
"$cli" values "$dir/work.mkg" --format json -o "$dir/values.json"

python3 - "$dir" <<'PY'
import csv, json, sys
d = sys.argv[1]
work = json.load(open(d + "/work.json", encoding="utf-8"))
data = open(d + "/data.bin", "rb").read()
with open(d + "/values.csv", encoding="utf-8", newline="") as f:
    csv_rows = list(csv.DictReader(f))
json_rows = json.load(open(d + "/values.json", encoding="utf-8"))

def fail(text):
    sys.exit("values check: " + text)

def as_text(value):
    return "" if value is None else str(value)

if len(csv_rows) != len(work["markers"]) or len(json_rows) != len(csv_rows):
    fail(f"{len(csv_rows)} CSV rows, {len(json_rows)} JSON rows for {len(work['markers'])} markers")
for m, c, j in zip(work["markers"], csv_rows, json_rows):
    n = c["number"]
    for key in c:
        if c[key] != as_text(j[key]):
            fail(f"marker {n}: {key} is {c[key]!r} in CSV but {j[key]!r} in JSON")
    if j["remark"] != m["remark"]:
        fail(f"marker {n}: remark {j['remark']!r}, written as {m['remark']!r}")
    part = data[m["start"]:m["end"] + 1]
    length = m["end"] - m["start"] + 1
    want_hex = " ".join(f"{b:02X}" for b in part[:32]) + (" ..." if len(part) > 32 else "")
    if j["hex"] != want_hex:
        fail(f"marker {n}: hex {j['hex']!r}, not {want_hex!r}")
    if j["status"] != ("ok" if len(part) == length else "short"):
        fail(f"marker {n}: status {j['status']}")
    whole = len(part) == length and length <= 8
    le = int.from_bytes(part, "little") if whole else None
    be = int.from_bytes(part, "big") if whole else None
    # Values of 2^63 and more come as strings of digits.
    if (as_text(j["le"]), as_text(j["be"])) != (as_text(le), as_text(be)):
        fail(f"marker {n}: values {j['le']}, {j['be']}, not {le}, {be}")
print(f"values ok: {len(json_rows)} rows")
PY

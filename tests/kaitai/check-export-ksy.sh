#!/usr/bin/env bash
# Compiles what "byzel-cli export-ksy" writes with npm's Kaitai Struct compiler and parses the
# dump file with the generated parser: for the sample work, and for a work whose remarks hold
# YAML syntax, line breaks and Japanese text, with unmarked gaps and a marker past the end.
#
#   check-export-ksy.sh BYZEL_CLI MAKESAMPLE MODULES_DIR PACKAGE_DIR REMARKS_JSON
#
# The compiler and runtime come from npm's registry into MODULES_DIR, at the versions
# PACKAGE_DIR/package-lock.json pins; without the registry the check fails.
set -euo pipefail
cli=$1
makesample=$2
modules=$3
packages=$4
remarks=$5

fail() { echo "export-ksy check: $*" >&2; exit 1; }

mkdir -p "$modules"
if ! cmp -s "$packages/package-lock.json" "$modules/package-lock.json" ||
   [ ! -d "$modules/node_modules/kaitai-struct-compiler" ]; then
    cp "$packages/package.json" "$packages/package-lock.json" "$modules/"
    (cd "$modules" && npm ci --no-audit --no-fund --loglevel=error) ||
        fail "cannot install the Kaitai Struct compiler from npm's registry"
fi

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
check() { # WORK.mkg DATA_FILE
    "$cli" export-ksy "$1" -o "$dir/work.ksy" --force
    "$cli" markers "$1" > "$dir/markers.json"
    node "$(dirname "$0")/check-ksy.js" "$modules" "$dir/work.ksy" "$2" "$dir/markers.json"
}

"$makesample" "$dir/sample"
check "$dir/sample/sample.mkg" "$dir/sample/sample.wav"

node - "$dir" "$remarks" <<'JS'
const fs = require("fs");
const [dir, remarksPath] = process.argv.slice(2);
const remarks = JSON.parse(fs.readFileSync(remarksPath, "utf8"));
const data = Buffer.alloc(400);
for (let i = 0; i < data.length; ++i)
    data[i] = (i * 37 + 11) % 256;
fs.writeFileSync(dir + "/data.bin", data);
const markers = remarks.map((remark, i) => ({
    start: 14 * i + 5 + (i % 3 === 0 ? 1 : 0), end: 14 * i + 5 + (i % 9) + 1,
    color: "#FF0000", remark }));
markers.push({ start: 5000, end: 5003, color: "#FF0000", remark: "past: the end" });
fs.writeFileSync(dir + "/hostile.json",
                 JSON.stringify({ dumpPath: dir + "/data.bin", markers }));
JS
"$cli" import-markers "$dir/hostile.json" -o "$dir/hostile.mkg"
check "$dir/hostile.mkg" "$dir/data.bin" 2> "$dir/notes.txt" || { cat "$dir/notes.txt" >&2; exit 1; }
grep -q "marker 22 lies past the end of the dump file" "$dir/notes.txt" ||
    fail "no note on the marker past the end"
# The remarks come through as the description's doc texts.
node -e '
const [modules, ksy, remarks] = process.argv.slice(1);
const yaml = require(modules + "/node_modules/js-yaml");
const docs = yaml.load(require("fs").readFileSync(ksy, "utf8")).seq.map((f) => f.doc || "");
const want = JSON.parse(require("fs").readFileSync(remarks, "utf8"));
for (const r of want)
    if (!docs.includes(r)) { console.error("export-ksy check: remark lost: " + JSON.stringify(r)); process.exit(1); }
' "$modules" "$dir/work.ksy" "$remarks"
echo "export-ksy ok"

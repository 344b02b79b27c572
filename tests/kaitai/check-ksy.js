// Compiles a description written by "byzel-cli export-ksy" with the Kaitai Struct compiler,
// parses a file with the generated JavaScript parser and checks that every marker_N field holds
// exactly the bytes of marker N, every gap_N field the bytes before it and rest the bytes
// after the last marker.
//
//   node check-ksy.js MODULES_DIR WORK.ksy DATA_FILE MARKERS.json
//
// MARKERS.json is the marker file as "byzel-cli markers" shows it, markers in offset order.
"use strict";

const fs = require("fs");
const path = require("path");

const [modulesDir, ksyPath, dataPath, markersPath] = process.argv.slice(2);
const fromModules = (name) => require(path.join(modulesDir, "node_modules", name));
const yaml = fromModules("js-yaml");
const compiler = fromModules("kaitai-struct-compiler");
const KaitaiStream = fromModules("kaitai-struct").KaitaiStream;

function fail(text) {
    console.error("check-ksy: " + text);
    process.exit(1);
}

// Kaitai's JavaScript parsers name fields in lower camel case: marker_12 becomes marker12.
function fieldName(id) {
    return id.replace(/_([a-z0-9])/g, (_, c) => c.toUpperCase());
}

async function main() {
    const ksy = yaml.load(fs.readFileSync(ksyPath, "utf8"));
    const files = await compiler.compile("javascript", ksy, null, false);
    // Beside node_modules, where the parser finds the runtime it asks for by name.
    const generatedDir = path.join(modulesDir, "generated");
    fs.mkdirSync(generatedDir, { recursive: true });
    const names = Object.keys(files);
    if (names.length !== 1)
        fail("expected one parser, got " + names.join(", "));
    const parserPath = path.join(generatedDir, names[0]);
    fs.writeFileSync(parserPath, files[names[0]]);
    const exported = require(parserPath);
    const Parser = exported[Object.keys(exported)[0]] || exported;

    const data = fs.readFileSync(dataPath);
    const parsed = new Parser(new KaitaiStream(new Uint8Array(data)));
    const markers = JSON.parse(fs.readFileSync(markersPath, "utf8")).markers;

    let checked = 0;
    const expect = (id, from, to) => {
        const field = parsed[fieldName(id)];
        if (field === undefined)
            fail(id + " is missing");
        const want = data.subarray(from, to);
        if (Buffer.compare(Buffer.from(field), want) !== 0)
            fail(id + " holds " + Buffer.from(field).toString("hex") + ", not bytes " + from +
                 " to " + (to - 1) + " (" + want.toString("hex") + ")");
        checked += to - from;
    };
    let next = 0;
    for (const m of markers) {
        const present = parsed[fieldName("marker_" + m.number)] !== undefined;
        if (m.start >= data.length) {
            if (present)
                fail("marker_" + m.number + " lies past the end of the file but is described");
            continue;
        }
        if (m.start > next)
            expect("gap_" + m.number, next, m.start);
        else if (parsed[fieldName("gap_" + m.number)] !== undefined)
            fail("gap_" + m.number + " is described, but marker " + m.number + " follows " +
                 "the previous one directly");
        expect("marker_" + m.number, m.start, m.end + 1);
        next = m.end + 1;
    }
    expect("rest", next, data.length);
    if (checked !== data.length)
        fail("the fields cover " + checked + " bytes of " + data.length);
    console.log("check-ksy: " + markers.length + " markers, " + data.length + " bytes checked");
}

main().catch((e) => fail(String(e && e.stack ? e.stack : e)));

#pragma once

#include "core/markerfile/markerfile.h"

#include <optional>
#include <string>
#include <string_view>

namespace byzel::cli {

// A marker file as JSON (UTF-8, two-space indent, keys in a fixed order):
//
//   { "dumpPath": text, ["dumpPathBytes": hex,] "linkLines": n, "reserved": n,
//     "linkedScrolling": n, "countCopy": n, "padding": n,
//     "markers": [ { "number": n, "start": n, "end": n, "colorIndex": n,
//                    "color": "#RRGGBB", "colorRef": n, "remark": text,
//                    ["remarkBytes": hex] }, ... ] }
//
// Texts are the Shift-JIS bytes of the file decoded. When the text alone would not give back
// the stored field byte for byte (bytes that are not Shift-JIS, bytes after the terminator),
// the whole field follows as hex with its trailing zero bytes left out. colorRef is the stored
// 0x00BBGGRR value; color is the colour the program shows, as "#RRGGBB": the standard colour
// of colorIndex 1 to 8, else colorRef's.
[[nodiscard]] std::string markersToJson(const MarkerFileContents& contents);

struct JsonImport {
    std::optional<MarkerFileContents> contents;
    // Why the JSON was refused, naming the marker; empty when accepted.
    std::string error;
};

// The reverse. Refuses JSON that is not a marker list of this form or that would break the
// marker table: overlapping markers, more than 5000, start after end, offsets outside
// 0 .. 2147483647, remarks over 239 Shift-JIS bytes, text that Shift-JIS cannot hold (a lone
// surrogate included), texts and hex fields that disagree, and a color that is neither the
// colour colorIndex shows nor colorRef's. Keys other than these are refused as likely typing
// errors. "number" and "countCopy" are informative: markers are numbered by their place in the
// list, and every save writes the current count into the count copy.
[[nodiscard]] JsonImport markersFromJson(std::string_view json);

} // namespace byzel::cli

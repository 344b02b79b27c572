#pragma once

#include "core/markers/markertable.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace byzel::cli {

// Whether text may name a Kaitai Struct type: a lowercase letter, then lowercase letters,
// digits and underscores.
[[nodiscard]] bool isKsyIdentifier(std::string_view text);

// An identifier made from a file name without its folder and extension ("Sample Work.mkg"
// gives "sample_work"): other characters become underscores, and a name that does not start
// with a letter gets "work_" in front.
[[nodiscard]] std::string ksyIdentifierFor(std::string_view fileName);

struct KsyHeader {
    std::string id;
    bool bigEndian = false;
    // Without the dot; none when empty.
    std::string fileExtension;
};

struct KsyDescription {
    std::string yaml;
    // Why markers were left out, or what a reader of the description should know of them.
    std::vector<std::string> notes;
};

// The markers (sorted, as a work holds them) as a Kaitai Struct description: every marker a
// field "marker_N" of its length, N being the marker number, with its remark as doc; the bytes
// between markers a field "gap_N", N being the number of the marker after it; the bytes after
// the last marker a field "rest" reaching to the end of the file. Markers wholly past the
// end of a dump file of dumpSize bytes, and markers that a damaged marker file holds with a
// negative start, an end before the start or bytes shared with an earlier marker, are left
// out with a note.
[[nodiscard]] KsyDescription describeMarkers(const MarkerTable& markers, std::int64_t dumpSize,
                                             const KsyHeader& header);

} // namespace byzel::cli

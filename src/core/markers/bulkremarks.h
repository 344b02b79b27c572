#pragma once

#include "core/markers/markertable.h"

#include <span>
#include <string>

namespace byzel {

// All remarks as one text for the bulk editor: per marker a line "[0001]remark\r\n" whose
// 6-byte tag ties the line to its marker number.
[[nodiscard]] std::string bulkRemarkTag(int index);
[[nodiscard]] std::string bulkRemarkText(const MarkerTable& markers);

struct BulkStoreResult {
    // Index of the first line whose tag is not its marker's, -1 when every line matched.
    int wrongLine = -1;
    // Whether at least one remark was stored.
    bool changed = false;
};

// Stores the remarks of the edited lines (Shift-JIS, without line ends), one per marker in
// table order, up to the first line with a wrong or missing tag. Equal remarks are skipped;
// text of 240 bytes or more is cut at a character boundary to at most 238 bytes. Lines after
// the last marker's are ignored.
BulkStoreResult storeBulkRemarks(MarkerTable& markers, std::span<const std::string> lines);

} // namespace byzel

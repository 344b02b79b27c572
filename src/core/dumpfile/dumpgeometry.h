#pragma once

#include "core/dumplist/listingcolumns.h"
#include "core/types.h"

#include <cstdint>

namespace byzel {

// The largest position a vertical scroll bar takes; longer files scroll in scaled steps.
inline constexpr std::int32_t kScrollPositionLimit = 0x7FFF;
// Offsets and rows are 32-bit signed, so a dump file must be smaller than this.
inline constexpr std::int64_t kMaxDumpFileSize = std::int64_t{1} << 31;

// size - 1: -1 for an empty file.
[[nodiscard]] constexpr Offset lastOffsetFor(std::int64_t size) {
    return static_cast<Offset>(size - 1);
}

// size / 16 + 1: a size that is a multiple of 16 ends with an empty row, and an empty file
// still has its one row.
[[nodiscard]] constexpr std::int32_t totalRowsFor(std::int64_t size) {
    return static_cast<std::int32_t>(size / kBytesPerRow + 1);
}

// Data rows that fit in a view of the given client height: room for the header and rule lines
// and a margin is taken off. Never negative.
[[nodiscard]] std::int32_t visibleRowsFor(int clientHeight, int lineHeight);

struct VerticalScrollRange {
    // The scroll bar's range is 0..maximum.
    std::int32_t maximum = 0;
    // Whether positions stand for fractions of realMaximum rather than rows.
    bool scaled = false;
    // Largest top row: total rows - visible rows, not below 0.
    std::int32_t realMaximum = 0;

    friend bool operator==(const VerticalScrollRange&, const VerticalScrollRange&) = default;
};

[[nodiscard]] VerticalScrollRange verticalScrollRange(std::int32_t totalRows,
                                                      std::int32_t visibleRows);

} // namespace byzel

#pragma once

#include "core/markers/markertable.h"
#include "core/types.h"
#include "core/viewmodel/viewgeometry.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace byzel {

// Link lines join each marker listed in the remark column to the marker's first byte, in
// back-buffer pixels of the dump list (the caller shifts them for horizontal scrolling).

// A line between two points; 64-bit, because a marker far from the page puts its end millions
// of rows away.
struct LinkLine {
    std::int64_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    friend bool operator==(const LinkLine&, const LinkLine&) = default;
};

// A marker's line is a little darker than its cells: each channel 50 lower, not below 0.
[[nodiscard]] ColorRef linkLineColor(ColorRef markerColor);

// Line of a marker starting at markerStart and listed on data line `line`: from just left of
// the number cell, at the middle of the line, to the right end of the marker's first
// hexadecimal cell, at the middle of its row. The row may lie above or below the page.
[[nodiscard]] LinkLine linkLineGeometry(Offset markerStart, int line, Offset topRow,
                                        const CellMetrics& m);

// Index of the marker whose entry stands on data line `line` of the remark column, or -1.
[[nodiscard]] int remarkEntryIndex(int line, int remarkStart, int markerCount);

// The part of a line between y = top and y = bottom, nothing when it lies wholly outside.
[[nodiscard]] std::optional<LinkLine> clipLinkLine(const LinkLine& line, std::int64_t top,
                                                   std::int64_t bottom);

// What a page shows of the link lines: one per data line that lists a marker, already cut to a
// band a few lines beyond the page so that every point fits in an int.
struct PageLinkLine {
    int markerIndex = -1;
    LinkLine line;
    ColorRef color = 0;
};
struct LinkLinePage {
    Offset topRow = 0;
    // Data lines on the page; lines beyond the last row of the data list nothing.
    int visibleRows = 0;
    Offset totalRows = 0;
    int remarkStart = 0;
    CellMetrics metrics;
};
[[nodiscard]] std::vector<PageLinkLine> linkLinesOnPage(const MarkerTable& markers,
                                                        const LinkLinePage& page);
// The link line of one listed marker, as linkLinesOnPage gives it; nothing when the marker is
// not listed on the page.
[[nodiscard]] std::optional<PageLinkLine> linkLineOfMarker(const MarkerTable& markers,
                                                           const LinkLinePage& page, int index);

} // namespace byzel

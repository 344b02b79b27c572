#pragma once

#include "core/viewmodel/viewgeometry.h"
#include "core/workflow/work.h"

#include <array>

class QFont;
class QPainter;

namespace byzel {

class ByteSource;

// Layout metrics of the listing font: average character width, height and descent.
[[nodiscard]] CellMetrics listingMetrics(const QFont& font);

// Everything one picture of the dump list depends on.
struct RenderInput {
    const ByteSource& source;
    const MarkerTable& markers;
    SearchHit searchHit;
    Offset topRow = 0;
    int visibleRows = 0;
    int remarkStart = 0;
    Offset referencePoint = 0;
    // Printed pages show no reference point.
    bool referencePointShown = true;
    // Cells inverted in value check mode, -1 for empty slots; all -1 in the other modes.
    std::array<Offset, 6> valueCheck{-1, -1, -1, -1, -1, -1};
    // False while a pen gesture holds a marker that is not yet at its sorted place: the
    // backgrounds then cannot rely on the table's order.
    bool markersSorted = true;
    // Lines from the remark entries to their markers' first bytes.
    bool linkLines = false;
    // The listing without the remark column (and so without link lines).
    bool dumpOnly = false;
    CellMetrics metrics;
};

// Draws the dump list with what lies under and over it, in painting order: marker colours
// under the hexadecimal cells, search-hit frames, link lines, the listing text with the remark
// entries, then the reference point and the value check cells inverted. Back-buffer coordinates:
// the caller translates for horizontal scrolling and clears the background.
void RenderDumpList(QPainter& painter, const QFont& font, const RenderInput& in);

} // namespace byzel

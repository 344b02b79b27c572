#include "core/viewmodel/viewinput.h"

#include "core/viewmodel/viewgeometry.h"

#include <algorithm>

namespace byzel {

Offset topRowForScrollRequest(ScrollRequest request, Offset topRow, int thumb, bool scaled,
                              Offset scaledRange, Offset totalRows, int visibleRows) {
    Offset row = topRow;
    switch (request) {
    case ScrollRequest::LineUp:
        row = topRow - 1;
        break;
    case ScrollRequest::LineDown:
        row = topRow + 1;
        break;
    case ScrollRequest::PageUp:
        row = topRow - visibleRows;
        break;
    case ScrollRequest::PageDown:
        row = topRow + visibleRows;
        break;
    case ScrollRequest::ThumbTrack:
        row = topRowForThumb(thumb, scaled, scaledRange, totalRows, visibleRows);
        break;
    case ScrollRequest::Top:
        row = 0;
        break;
    case ScrollRequest::Bottom:
        row = lastTopRow(totalRows, visibleRows);
        break;
    }
    // A file shorter than a page has a negative last top row; the list still starts at row 0.
    return clampTopRow(row, totalRows, visibleRows);
}

Offset dragScrolledTopRow(Offset topRow, int dy, int lineHeight, Offset totalRows,
                          int visibleRows) {
    if (lineHeight <= 0)
        return topRow;
    return clampTopRow(topRow - dy / lineHeight, totalRows, visibleRows);
}

int dragScrolledRemarkStart(int remarkStart, int dy, int lineHeight, int markerCount) {
    if (lineHeight <= 0)
        return remarkStart;
    return std::max(0, std::min(remarkStart - dy / lineHeight, markerCount - 1));
}

std::optional<Offset> wheelScrolled(Offset value, int step, bool backward, Offset maximum) {
    if (backward ? value <= 0 : value >= maximum)
        return std::nullopt;
    const Offset moved = backward ? value - step : value + step;
    return std::max<Offset>(0, std::min(moved, maximum));
}

std::optional<ReferenceStep> StepReferencePoint(StepDirection direction, Offset referencePoint,
                                                Offset topRow, int visibleRows, Offset lastOffset) {
    const std::int64_t firstShown = static_cast<std::int64_t>(topRow) * 16;
    const std::int64_t lastRowStart = (static_cast<std::int64_t>(topRow) + visibleRows) * 16 - 16;
    switch (direction) {
    case StepDirection::Left:
        if (referencePoint <= 0)
            return std::nullopt;
        return ReferenceStep{referencePoint - 1, topRow};
    case StepDirection::Right:
        if (referencePoint >= lastOffset)
            return std::nullopt;
        return ReferenceStep{referencePoint + 1, topRow};
    case StepDirection::Up: {
        if (referencePoint < 16)
            return std::nullopt;
        const Offset moved = referencePoint - 16;
        return ReferenceStep{moved, moved < firstShown ? topRow - 1 : topRow};
    }
    case StepDirection::Down: {
        if (referencePoint > lastOffset - 16)
            return std::nullopt;
        const Offset moved = referencePoint + 16;
        return ReferenceStep{moved, moved > lastRowStart ? topRow + 1 : topRow};
    }
    }
    return std::nullopt;
}

std::optional<ReferenceStep> stepWithList(bool down, Offset referencePoint, Offset topRow,
                                          Offset totalRows, int visibleRows, Offset lastOffset) {
    if (down) {
        if (referencePoint > lastOffset - 16 || topRow > lastTopRow(totalRows, visibleRows))
            return std::nullopt;
        return ReferenceStep{referencePoint + 16, topRow + 1};
    }
    if (referencePoint < 16 || topRow == 0)
        return std::nullopt;
    return ReferenceStep{referencePoint - 16, topRow - 1};
}

std::array<Offset, 6> valueCheckSelection(Offset anchor, Offset p) {
    std::array<Offset, 6> slots{anchor, -1, -1, -1, -1, -1};
    const Offset direction = p < anchor ? -1 : 1;
    const Offset distance = std::min<Offset>(p < anchor ? anchor - p : p - anchor, 5);
    for (Offset i = 1; i <= distance; ++i)
        slots[static_cast<size_t>(i)] = anchor + direction * i;
    return slots;
}

} // namespace byzel

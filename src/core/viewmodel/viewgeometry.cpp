#include "core/viewmodel/viewgeometry.h"

#include <algorithm>

namespace byzel {

PixelRect ByteCellRect(Offset b, const CellMetrics& m, Offset topRow, int visibleRows) {
    const std::int64_t row = b / 16;
    const int column = static_cast<int>(b - row * 16);
    const std::int64_t line = row - topRow + 2;
    if (line < 2 || line > 2 + static_cast<std::int64_t>(visibleRows))
        return {};
    const int top = static_cast<int>(line) * m.lineHeight;
    const int dx = -(m.charWidth / 2);
    return {(3 * column + kHexColumn) * m.charWidth + dx, top + m.descent,
            (3 * column + kHexColumn + 3) * m.charWidth + dx, top + m.lineHeight + m.descent};
}

Offset OffsetAtPoint(int x, int y, const CellMetrics& m, int h, Offset topRow, Offset lastOffset) {
    const int left = kHexColumn * m.charWidth - h;
    if (x < left || x > kTextColumn * m.charWidth - h || y < 2 * m.lineHeight)
        return -1;
    // The right edge pixel belongs to the row's last cell, not to the next row's first.
    const int column = std::min((x - left) / m.charWidth, 3 * 16 - 1);
    const std::int64_t row = (y - 2 * m.lineHeight) / m.lineHeight;
    const std::int64_t offset = (row + topRow) * 16 + column / 3;
    return offset >= 0 && offset <= lastOffset ? static_cast<Offset>(offset) : -1;
}

int MarkerNumberAtPoint(int x, int y, const CellMetrics& m, int h, int visibleRows, int remarkStart,
                        int markerCount) {
    if (x < kNumberCellColumn * m.charWidth - h || x > kNumberCellEnd * m.charWidth - h)
        return -1;
    if (y < 2 * m.lineHeight || y > (2 + visibleRows) * m.lineHeight)
        return -1;
    const int index = (y - 2 * m.lineHeight) / m.lineHeight + remarkStart;
    return index >= 0 && index < markerCount ? index : -1;
}

int contentWidth(int headerWidth, const CellMetrics& m, const MarkerTable& markers) {
    int longest = 27;
    for (const auto& r : markers.records())
        longest = std::max(longest, static_cast<int>(r.remarkText().size()) + 1);
    return headerWidth + (longest + 8) * m.charWidth;
}

Offset clampTopRow(Offset row, Offset totalRows, int visibleRows) {
    return std::max<Offset>(0, std::min(row, lastTopRow(totalRows, visibleRows)));
}

int thumbForTopRow(Offset topRow, bool scaled, Offset scaledRange) {
    if (!scaled)
        return topRow;
    const double fraction = static_cast<double>(topRow) / scaledRange;
    return std::min(kScrollSteps, static_cast<int>(fraction * kScrollSteps));
}

Offset topRowForThumb(int thumb, bool scaled, Offset scaledRange, Offset totalRows,
                      int visibleRows) {
    if (!scaled)
        return thumb;
    // Single precision, as the scroll bar's own arithmetic has always been.
    const float fraction = static_cast<float>(thumb) / static_cast<float>(kScrollSteps);
    const auto row = static_cast<Offset>(static_cast<double>(fraction) * scaledRange);
    return std::min(row, lastTopRow(totalRows, visibleRows));
}

std::optional<int> SyncRemarkColumn(const MarkerTable& markers, Offset topRow, int visibleRows) {
    const std::int64_t first = static_cast<std::int64_t>(topRow) * 16;
    const std::int64_t last = (static_cast<std::int64_t>(topRow) + visibleRows) * 16 - 1;
    for (int i = 0; i < markers.count(); ++i)
        if (markers[i].start >= first && markers[i].start <= last)
            return i;
    return std::nullopt;
}

PixelRect repaintRect(RepaintRegion region, const CellMetrics& m, int headerWidth, int hpos,
                      int clientWidth, int clientHeight) {
    switch (region) {
    case RepaintRegion::HexArea:
        return {(kHexColumn - 1) * m.charWidth - hpos, 2 * m.lineHeight,
                kTextColumn * m.charWidth - hpos, clientHeight};
    case RepaintRegion::DumpPart:
        return {0, 0, m.charWidth + headerWidth - hpos, clientHeight};
    case RepaintRegion::RemarkPart:
        return {headerWidth - hpos, 0, clientWidth, clientHeight};
    case RepaintRegion::WholeView:
        break;
    }
    return {0, 0, clientWidth, clientHeight};
}

PopupPlacement placePopup(int x, int y, int textWidth, int textHeight, int clientWidth,
                          int clientHeight) {
    int left = std::max(0, x + 10);
    int top = y + 10 + 9;
    if (left + textWidth > clientWidth)
        left = clientWidth - textWidth;
    if (top + textHeight > clientHeight)
        top = clientHeight - textHeight;
    return {left, top, {left - 3, top - 3, left + textWidth + 3, top + textHeight + 3}};
}

} // namespace byzel

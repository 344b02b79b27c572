#pragma once

#include "core/dumplist/listingcolumns.h"
#include "core/markers/markertable.h"
#include "core/types.h"

#include <cstdint>
#include <optional>

namespace byzel {

// Where things are on the dump view, in pixels, as pure functions of the font metrics and the
// scroll state, so the widget, the printed page and the tests agree.

// Origin of all text lines on the back buffer.
inline constexpr int kTextOrigin = 3;
// Largest position of a vertical scroll bar; longer files scroll in scaled steps.
inline constexpr int kScrollSteps = 0x7FFF;

struct CellMetrics {
    int charWidth = 8;
    int lineHeight = 16;
    int descent = 3;
};

struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    [[nodiscard]] bool isEmpty() const { return right <= left || bottom <= top; }
    [[nodiscard]] int width() const { return right - left; }
    [[nodiscard]] int height() const { return bottom - top; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// The hexadecimal cell of byte b in back-buffer pixels, about half a character wider than its
// two digits on each side; empty when its row is not among rows topRow .. topRow + visibleRows.
[[nodiscard]] PixelRect ByteCellRect(Offset b, const CellMetrics& m, Offset topRow,
                                     int visibleRows);

// Byte under a client point, or -1. h is the horizontal scroll position.
[[nodiscard]] Offset OffsetAtPoint(int x, int y, const CellMetrics& m, int h, Offset topRow,
                                   Offset lastOffset);
// Index of the marker whose number cell is under a client point, or -1.
[[nodiscard]] int MarkerNumberAtPoint(int x, int y, const CellMetrics& m, int h, int visibleRows,
                                      int remarkStart, int markerCount);
// Whether a client point lies in the dump part (left of the remark column).
[[nodiscard]] inline bool inDumpPart(int x, const CellMetrics& m, int h) {
    return x < kNumberCellColumn * m.charWidth - h;
}
// Whether a client point lies right of the number cells, over the remark texts.
[[nodiscard]] inline bool inRemarkTextArea(int x, const CellMetrics& m, int h) {
    return x > kNumberCellEnd * m.charWidth - h;
}

// Width of everything the view can show: the dump list plus the longest remark entry.
[[nodiscard]] int contentWidth(int headerWidth, const CellMetrics& m, const MarkerTable& markers);

// The largest top row: the last page starts there (never below 0 for the callers that clamp).
[[nodiscard]] inline Offset lastTopRow(Offset totalRows, int visibleRows) {
    return totalRows - visibleRows;
}
// A top row brought into 0 .. lastTopRow.
[[nodiscard]] Offset clampTopRow(Offset row, Offset totalRows, int visibleRows);

// Thumb of the vertical scroll bar for a top row; with scaled scrolling the row is mapped onto
// 0 .. 32767 (truncated).
[[nodiscard]] int thumbForTopRow(Offset topRow, bool scaled, Offset scaledRange);
// Top row for a dragged thumb position.
[[nodiscard]] Offset topRowForThumb(int thumb, bool scaled, Offset scaledRange, Offset totalRows,
                                    int visibleRows);

// First marker, in table order, that starts on the shown rows; nothing when none does.
[[nodiscard]] std::optional<int> SyncRemarkColumn(const MarkerTable& markers, Offset topRow,
                                                  int visibleRows);

// The parts of the view a repaint brings to the screen. The numbers are the callers' codes.
enum class RepaintRegion : int { WholeView = 0, HexArea = 1, DumpPart = 2, RemarkPart = 3 };
// Client rectangle of a region for a client area of w x h pixels, scrolled by hpos pixels.
// headerWidth is the pixel width of the 76-character dump header.
[[nodiscard]] PixelRect repaintRect(RepaintRegion region, const CellMetrics& m, int headerWidth,
                                    int hpos, int clientWidth, int clientHeight);

// Where the popup box goes for a press at (x, y): text at (left, top), box grown by 3 pixels.
struct PopupPlacement {
    int textLeft;
    int textTop;
    PixelRect box;
};
[[nodiscard]] PopupPlacement placePopup(int x, int y, int textWidth, int textHeight,
                                        int clientWidth, int clientHeight);

} // namespace byzel

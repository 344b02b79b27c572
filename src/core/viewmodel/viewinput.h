#pragma once

#include "core/types.h"

#include <array>
#include <optional>

namespace byzel {

// What scroll requests, drags, wheel turns and arrow keys do to the view's rows and the
// reference point, as pure functions so that the arithmetic can be checked without a window.

// Requests of the vertical scroll bar that the view answers itself.
enum class ScrollRequest { LineUp, LineDown, PageUp, PageDown, ThumbTrack, Top, Bottom };

// New top row for a request; thumb is the dragged position (ThumbTrack only). scaled and
// scaledRange describe the 32767-step mapping. Never outside 0 .. total - visible.
[[nodiscard]] Offset topRowForScrollRequest(ScrollRequest request, Offset topRow, int thumb,
                                            bool scaled, Offset scaledRange, Offset totalRows,
                                            int visibleRows);

// A drag of dy pixels pulls the list like a sheet: downwards shows earlier rows. Whole lines
// only, the division truncating toward zero.
[[nodiscard]] Offset dragScrolledTopRow(Offset topRow, int dy, int lineHeight, Offset totalRows,
                                        int visibleRows);
// The same for the remark column, whose start stays within 0 .. markerCount - 1.
[[nodiscard]] int dragScrolledRemarkStart(int remarkStart, int dy, int lineHeight, int markerCount);

// One wheel notch moving value by step toward the start (backward) or the end, within
// 0 .. maximum; nothing when it already stands at the limit it moves toward.
[[nodiscard]] std::optional<Offset> wheelScrolled(Offset value, int step, bool backward,
                                                  Offset maximum);

enum class StepDirection { Left, Right, Up, Down };

struct ReferenceStep {
    Offset referencePoint;
    Offset topRow;
    friend bool operator==(const ReferenceStep&, const ReferenceStep&) = default;
};

// Moves the reference point one byte or one row. Left and right never scroll; up and down
// scroll by one row when the point leaves the shown rows. Nothing when there is no byte to go
// to.
[[nodiscard]] std::optional<ReferenceStep> StepReferencePoint(StepDirection direction,
                                                              Offset referencePoint, Offset topRow,
                                                              int visibleRows, Offset lastOffset);
// Ctrl with Up or Down: the point and the list move together, so the point keeps its place on
// the screen. Down may go one row past the last page, as the list always has.
[[nodiscard]] std::optional<ReferenceStep> stepWithList(bool down, Offset referencePoint,
                                                        Offset topRow, Offset totalRows,
                                                        int visibleRows, Offset lastOffset);

// Value check selection for a drag from anchor to p: the anchor first, then up to five further
// bytes toward p, nearest first; -1 in the unused slots.
[[nodiscard]] std::array<Offset, 6> valueCheckSelection(Offset anchor, Offset p);

} // namespace byzel

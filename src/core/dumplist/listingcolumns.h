#pragma once

namespace byzel {

// Character columns of a dump list line, shared by the listing text, the view and the page.
// Every row line is exactly 76 single-byte characters; the remark entry follows it.
inline constexpr int kRowLineLength = 76;
inline constexpr int kHexColumn = 9;
inline constexpr int kTextColumn = 57;
// 16 cells, one more when the row opens with a lead byte carried over from the row above.
inline constexpr int kMaxTextCells = 17;
inline constexpr int kNumberCellColumn = 76;
inline constexpr int kNumberCellWidth = 5;
// Right edge of the number cell: the remark text area lies beyond it.
inline constexpr int kNumberCellEnd = kNumberCellColumn + kNumberCellWidth;
inline constexpr int kRemarkTextColumn = kNumberCellEnd + 1;
inline constexpr int kBytesPerRow = 16;

} // namespace byzel

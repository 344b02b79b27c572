#pragma once

#include "core/dumplist/listingcolumns.h"
#include "core/markers/markertable.h"
#include "core/types.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace byzel {

class ByteSource;

// Highest row a dump file of less than 2 GiB can have; the address then has seven digits.
inline constexpr Offset kMaxRow = 0x7FFFFFF;

// Header and rule of the full listing; dump-only output uses their first 76 and 74 characters.
inline constexpr std::string_view kFullHeader =
    " address 00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F  [     text     ]  "
    "  No  < Remark of marker > ";
inline constexpr std::string_view kFullRule =
    "--------------------------------------------------------------------------"
    "---------------------------";
inline constexpr std::string_view kDumpHeader = kFullHeader.substr(0, kRowLineLength);
inline constexpr std::string_view kDumpRule = kFullRule.substr(0, 74);

// What one cell of the text column holds, so that a drawing target can place every character
// at its own column without knowing the Shift-JIS rules of the listing.
enum class TextCell : std::uint8_t {
    Blank,      // a space: no byte, a control byte, or a lead byte carried to the next row
    Byte,       // one byte in its own cell: a single-byte character or a lone byte
    PairFirst,  // lead byte of a double-byte pair; the pair spans this cell and the next
    PairSecond, // the byte after a lead byte, whatever its value
};

// One composed line of the dump list. The views point into the composer's buffers and are
// valid only during the target's call.
struct DumpRow {
    // 0 for the first row of the listing.
    int lineIndex = 0;
    Offset number = 0;
    // Bytes of the dump shown in the row, 0 to 16; fewer than 16 only on the last row.
    int byteCount = 0;
    // Exactly kRowLineLength Shift-JIS bytes.
    std::string_view line;
    // Cell i stands at column kTextColumn + i of the line.
    std::span<const TextCell, kMaxTextCells> cells;
    // Marker whose remark entry follows the line, or -1.
    int markerIndex = -1;
    ColorRef markerColor = 0;
    // "%5d %s": the marker number right-aligned in five places and the remark; empty when the
    // line has no entry.
    std::string_view remarkEntry;

    [[nodiscard]] bool hasRemarkEntry() const { return markerIndex >= 0; }
};

// Receives the dump list: the header and rule once, then every row in order. The text file
// writes them; the view and the printed page draw them.
class DumpListTarget {
public:
    virtual ~DumpListTarget() = default;

    virtual void headerLines(std::string_view header, std::string_view rule) = 0;
    // Returns false to end the listing early (a target that can no longer write).
    virtual bool row(const DumpRow& row) = 0;
};

// Composes rowCount rows from topRow on, with the remark column listing the markers from
// remarkColumnStart. Stops after a short row, the last one of the data. Dump-only output has
// neither the remark headings nor remark entries.
void OutputDumpList(const ByteSource& source, const MarkerTable& markers, Offset topRow,
                    int remarkColumnStart, int rowCount, DumpListTarget& target, bool dumpOnly);

} // namespace byzel

#pragma once

#include "core/types.h"
#include "core/ui/progress.h"

#include <cstdint>
#include <optional>
#include <string>

namespace byzel {

class ByteSource;
class UiPort;

// Whether a CRC report runs from the reference point to the clicked offset: the click must be on
// a byte (not -1) and not before the reference point.
[[nodiscard]] bool crcRangeValid(Offset reference, Offset clicked);

// The CRC-32 of the bytes first..last (both included), read in blocks. Nothing when fewer bytes
// arrive than the range holds or progress asks to stop.
[[nodiscard]] std::optional<std::uint32_t> crcOfRange(const ByteSource& source, Offset first,
                                                      Offset last, const ProgressFn& progress = {});

// "CB F4 39 26": the eight hexadecimal digits in pairs, most significant first.
[[nodiscard]] std::string groupedCrc(std::uint32_t crc);
// "Address:\t0000000A - 00000012\nCRC:\tCB F4 39 26\n", the lead text of 30050.
[[nodiscard]] std::string crcReportText(Offset first, Offset last, std::uint32_t crc);
// Shows the report with 30050 and the information icon.
void showCrcReport(UiPort& ui, Offset first, Offset last, std::uint32_t crc);

} // namespace byzel

#pragma once

#include "core/types.h"

#include <array>
#include <cstdint>
#include <string>

namespace byzel {

class ByteSource;

// The value check selection: the anchor and up to five further bytes, -1 for an empty slot.
using ValueCheckSlots = std::array<Offset, 6>;

// The chosen bytes read as one unsigned number in both byte orders, digits grouped by
// thousands, and the two-line popup text that shows them. All empty for an empty selection.
struct ValueCheckNumbers {
    std::string bigEndian;
    std::string littleEndian;
    std::string popupText;
    [[nodiscard]] bool empty() const { return popupText.empty(); }
};

// Big- and little-endian value of up to six bytes, exact up to 2^48 - 1.
struct EndianValues {
    std::uint64_t big = 0;
    std::uint64_t little = 0;
};
[[nodiscard]] EndianValues endianValues(const std::uint8_t* bytes, std::size_t count);

// "BigEndian   " and "\nLittleEndian" with the numbers right-aligned two places beyond the
// longer one, so that with a fixed-pitch font both end in the same column.
[[nodiscard]] std::string valueCheckPopupText(const std::string& big, const std::string& little);

// Reads the selected run, from its lowest offset, and formats it.
[[nodiscard]] ValueCheckNumbers FormatValueCheck(const ValueCheckSlots& slots,
                                                 const ByteSource& source);

} // namespace byzel

#include "core/viewmodel/valuecheck.h"

#include "core/dumpfile/bytesource.h"
#include "core/text/thousands.h"

#include <algorithm>

namespace byzel {

namespace {
constexpr std::size_t kMaxValueBytes = 6;
}

EndianValues endianValues(const std::uint8_t* bytes, std::size_t count) {
    EndianValues v;
    count = std::min(count, kMaxValueBytes);
    for (std::size_t i = 0; i < count; ++i) {
        v.big = v.big << 8 | bytes[i];
        v.little |= static_cast<std::uint64_t>(bytes[i]) << (8 * i);
    }
    return v;
}

std::string valueCheckPopupText(const std::string& big, const std::string& little) {
    const std::size_t width = std::max(big.size(), little.size()) + 2;
    const auto padded = [width](const std::string& number) {
        return std::string(width - number.size(), ' ') + number;
    };
    return "BigEndian   " + padded(big) + "\nLittleEndian" + padded(little);
}

ValueCheckNumbers FormatValueCheck(const ValueCheckSlots& slots, const ByteSource& source) {
    Offset lo = -1;
    Offset hi = -1;
    for (Offset b : slots) {
        if (b == -1)
            continue;
        lo = lo == -1 ? b : std::min(lo, b);
        hi = std::max(hi, b);
    }
    if (lo == -1)
        return {};
    const auto n = std::min<std::size_t>(static_cast<std::size_t>(hi - lo) + 1, kMaxValueBytes);
    std::array<std::uint8_t, kMaxValueBytes> bytes{};
    // The slots come from the hit test, so the bytes are there; a short read counts the bytes
    // that arrived rather than numbers made up of zeros.
    const std::int32_t read = source.readAt(lo, std::span(bytes.data(), n));
    if (read <= 0)
        return {};
    const EndianValues v = endianValues(bytes.data(), static_cast<std::size_t>(read));
    ValueCheckNumbers out;
    out.bigEndian = groupThousands(std::to_string(v.big));
    out.littleEndian = groupThousands(std::to_string(v.little));
    out.popupText = valueCheckPopupText(out.bigEndian, out.littleEndian);
    return out;
}

} // namespace byzel

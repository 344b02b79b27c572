#pragma once

#include "core/types.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace byzel {

inline constexpr int kMarkerRecordSize = 268;
inline constexpr int kRemarkFieldSize = 254;
// Remark text plus its terminator must fit in 240 bytes.
inline constexpr int kMaxRemarkBytes = 239;

// Colour of newly laid markers at start: red.
inline constexpr ColorRef kDefaultPenColor = 0x0000FF;

// The eight pen colours; colorIndex 1 to 8 of old marker files names one of them.
inline constexpr std::array<ColorRef, 8> kStandardColors = {
    0xACFFFF, // 1 light yellow
    0xFFB9B9, // 2 light blue
    0xB0B0FF, // 3 light red
    0xAAFFAA, // 4 light green
    0xB9B9B9, // 5 grey
    0xFFFFBB, // 6 light cyan
    0xFFB5FF, // 7 light magenta
    0xD8D8D8, // 8 silver
};
[[nodiscard]] constexpr bool isStandardColorIndex(int index) {
    return index >= 1 && index <= 8;
}
[[nodiscard]] constexpr ColorRef standardColor(int index) {
    return kStandardColors[static_cast<size_t>(index - 1)];
}

// One marker: the closed byte range start..end with a colour and a Shift-JIS remark. Its
// 268-byte little-endian image is the record of the marker file.
struct MarkerRecord {
    Offset start = 0;
    Offset end = 0;
    // Legacy colour number of old files: 0, or 1 to 8 for a standard colour. Kept as read.
    std::uint16_t colorIndex = 0;
    // NUL-terminated; bytes after the terminator are carried but not significant.
    std::array<char, kRemarkFieldSize> remark{};
    ColorRef color = 0;

    // The remark up to its terminator (the whole field when a file left it unterminated).
    [[nodiscard]] std::string_view remarkText() const;
    [[nodiscard]] std::int64_t byteCount() const {
        return static_cast<std::int64_t>(end) - start + 1;
    }

    using Image = std::array<std::uint8_t, kMarkerRecordSize>;
    void encode(std::span<std::uint8_t, kMarkerRecordSize> out) const;
    [[nodiscard]] Image encode() const;
    [[nodiscard]] static MarkerRecord decode(std::span<const std::uint8_t, kMarkerRecordSize> in);

    friend bool operator==(const MarkerRecord&, const MarkerRecord&) = default;
};

} // namespace byzel

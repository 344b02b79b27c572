#pragma once

#include <cstdint>

namespace byzel {

// Byte offset into the dump file. Offsets, rows and the last offset are 32-bit signed
// throughout, which is why dump files are limited to less than 2 GiB.
using Offset = std::int32_t;

// Windows-style colour reference 0x00BBGGRR: red in the low byte. Marker files store colours
// this way, so the whole program keeps them so and converts only when drawing.
using ColorRef = std::uint32_t;

[[nodiscard]] constexpr int redOf(ColorRef c) {
    return static_cast<int>(c & 0xFF);
}
[[nodiscard]] constexpr int greenOf(ColorRef c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
[[nodiscard]] constexpr int blueOf(ColorRef c) {
    return static_cast<int>((c >> 16) & 0xFF);
}
[[nodiscard]] constexpr ColorRef rgb(int r, int g, int b) {
    return static_cast<ColorRef>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

} // namespace byzel

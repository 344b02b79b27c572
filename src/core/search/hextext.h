#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace byzel {

class UiPort;

using ByteString = std::vector<std::uint8_t>;

// Whether text occurs within "0123456789ABCDEF" (callers pass one character; an empty text
// occurs too). Otherwise shows 30027 and returns false; the caller puts the focus back.
bool IsHexDigitText(std::string_view text, UiPort& ui);
// The same check without a message.
[[nodiscard]] bool isCapitalHexText(std::string_view text);

// The byte of two capital hexadecimal digits, high digit first.
[[nodiscard]] std::uint8_t HexPairToByte(std::string_view pair);
// The bytes of the successive digit pairs of hex (an odd last digit is ignored), ending at the
// first zero byte.
[[nodiscard]] std::string HexTextToString(std::string_view hex);
// Two small hexadecimal digits per byte, high digit first.
[[nodiscard]] std::string BytesToHexText(std::span<const std::uint8_t> bytes);
// The value of up to eight bytes in big-endian or little-endian order.
[[nodiscard]] std::uint64_t BytesToNumber(std::span<const std::uint8_t> bytes, bool bigEndian);

// A decimal offset written as the hexadecimal bytes it makes: big-endian as "%X"; little-endian
// as the lowest bytes that hold it, reversed (300 gives 2C01, 10 gives A).
[[nodiscard]] std::string offsetBytesText(std::uint32_t value, bool bigEndian);

// Bytes written as hexadecimal digit pairs, blanks allowed between bytes ("41 42", "4142");
// nothing when a digit is missing or anything else stands in the text.
[[nodiscard]] std::optional<ByteString> parseHexBytes(std::string_view text);

} // namespace byzel

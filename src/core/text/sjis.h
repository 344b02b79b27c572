#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace byzel {

// Remarks, stored paths and other counted texts are Shift-JIS (code page 932) bytes in the
// model; these convert at the edges.

// Decodes CP932 bytes. A byte or pair that is not valid CP932 becomes U+FFFD, so nothing the
// user wrote is dropped silently.
[[nodiscard]] std::string cp932ToUtf8(std::string_view bytes);

// Encodes UTF-8 text as CP932, or nothing when a character has no CP932 form (or the input is
// not valid UTF-8).
[[nodiscard]] std::optional<std::string> utf8ToCp932(std::string_view text);

[[nodiscard]] bool isValidUtf8(std::string_view text);

// First byte of a double-byte CP932 character.
[[nodiscard]] constexpr bool isCp932LeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Longest prefix of at most maxBytes bytes that does not end inside a double-byte character.
[[nodiscard]] std::size_t sjisPrefixLength(std::string_view bytes, std::size_t maxBytes);
[[nodiscard]] std::string_view sjisPrefix(std::string_view bytes, std::size_t maxBytes);

} // namespace byzel

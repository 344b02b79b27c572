#include "core/text/argumenttext.h"

#include <cstdint>

namespace byzel {
namespace {

constexpr char16_t kByteEscape = 0xDC00;

// The length of the well-formed UTF-8 sequence at the start of bytes and its code point, or 0
// when it is none (overlong forms, encoded surrogates and values past U+10FFFF are none).
std::size_t utf8Sequence(std::string_view bytes, char32_t& codePoint) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); };
    const std::uint8_t lead = byte(0);
    std::size_t length = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        minimum = 0x80;
        codePoint = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        minimum = 0x800;
        codePoint = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        minimum = 0x10000;
        codePoint = lead & 0x07;
    } else {
        return 0;
    }
    if (bytes.size() < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
        codePoint = codePoint << 6 | (byte(i) & 0x3F);
    }
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    return codePoint < minimum || codePoint > 0x10FFFF || surrogate ? 0 : length;
}

void appendUtf8(std::string& out, char32_t c) {
    const auto put = [&](char32_t v) { out += static_cast<char>(v); };
    if (c < 0x80) {
        put(c);
    } else if (c < 0x800) {
        put(0xC0 | c >> 6);
        put(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        put(0xE0 | c >> 12);
        put(0x80 | (c >> 6 & 0x3F));
        put(0x80 | (c & 0x3F));
    } else {
        put(0xF0 | c >> 18);
        put(0x80 | (c >> 12 & 0x3F));
        put(0x80 | (c >> 6 & 0x3F));
        put(0x80 | (c & 0x3F));
    }
}

} // namespace

std::u16string argumentText(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    while (!bytes.empty()) {
        char32_t c = 0;
        std::size_t length = utf8Sequence(bytes, c);
        if (length == 0) {
            c = kByteEscape + static_cast<std::uint8_t>(bytes.front());
            length = 1;
        }
        if (c >= 0x10000) {
            text += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            text += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            text += static_cast<char16_t>(c);
        }
        bytes.remove_prefix(length);
    }
    return text;
}

std::string argumentBytes(std::u16string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        const bool high = unit >= 0xD800 && unit <= 0xDBFF;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            appendUtf8(bytes, 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (text[++i] - 0xDC00));
        } else if (unit >= kByteEscape + 0x80 && unit <= kByteEscape + 0xFF) {
            bytes += static_cast<char>(unit - kByteEscape);
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            appendUtf8(bytes, 0xFFFD); // a lone surrogate that came from elsewhere
        } else {
            appendUtf8(bytes, unit);
        }
    }
    return bytes;
}

} // namespace byzel

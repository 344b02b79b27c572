#include "core/search/hextext.h"

#include "core/ui/uiport.h"

#include <cstdio>

namespace byzel {
namespace {

constexpr std::string_view kCapitalDigits = "0123456789ABCDEF";
constexpr std::string_view kSmallDigits = "0123456789abcdef";

int digitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

bool isCapitalHexText(std::string_view text) {
    return kCapitalDigits.find(text) != std::string_view::npos;
}

bool IsHexDigitText(std::string_view text, UiPort& ui) {
    if (isCapitalHexText(text))
        return true;
    showMessage(ui, msg::EnterHex, {}, BoxStyle::Error);
    return false;
}

std::uint8_t HexPairToByte(std::string_view pair) {
    const int high = pair.empty() ? 0 : digitValue(pair[0]);
    const int low = pair.size() < 2 ? 0 : digitValue(pair[1]);
    return static_cast<std::uint8_t>((high < 0 ? 0 : high) * 16 + (low < 0 ? 0 : low));
}

std::string HexTextToString(std::string_view hex) {
    std::string text;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        const std::uint8_t byte = HexPairToByte(hex.substr(i, 2));
        if (byte == 0)
            break;
        text.push_back(static_cast<char>(byte));
    }
    return text;
}

std::string BytesToHexText(std::span<const std::uint8_t> bytes) {
    std::string text;
    text.reserve(bytes.size() * 2);
    for (std::uint8_t b : bytes) {
        text.push_back(kSmallDigits[b >> 4]);
        text.push_back(kSmallDigits[b & 0x0F]);
    }
    return text;
}

std::uint64_t BytesToNumber(std::span<const std::uint8_t> bytes, bool bigEndian) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const std::uint8_t b = bigEndian ? bytes[i] : bytes[bytes.size() - 1 - i];
        value = value * 256 + b;
    }
    return value;
}

std::string offsetBytesText(std::uint32_t value, bool bigEndian) {
    char digits[16];
    if (bigEndian) {
        std::snprintf(digits, sizeof digits, "%X", value);
        return digits;
    }
    std::snprintf(digits, sizeof digits, "%06X", value);
    const std::string h(digits);
    // Beyond three bytes the high digits spill over; they lead, as the three bytes do.
    const std::string high = h.substr(0, h.size() - 4);
    const std::string middle = h.substr(h.size() - 4, 2);
    const std::string low = h.substr(h.size() - 2);
    if (high != "00")
        return low + middle + high;
    if (middle != "00")
        return low + middle;
    std::snprintf(digits, sizeof digits, "%X", value & 0xFF);
    return digits;
}

std::optional<ByteString> parseHexBytes(std::string_view text) {
    ByteString bytes;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ' || text[i] == '\t') {
            ++i;
            continue;
        }
        if (i + 1 >= text.size() || digitValue(text[i]) < 0 || digitValue(text[i + 1]) < 0)
            return std::nullopt;
        bytes.push_back(
            static_cast<std::uint8_t>(digitValue(text[i]) * 16 + digitValue(text[i + 1])));
        i += 2;
    }
    return bytes;
}

} // namespace byzel

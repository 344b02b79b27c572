#include "cli/listingencoding.h"

#include "core/dumplist/listingcolumns.h"
#include "core/text/sjis.h"

#include <QByteArray>

#include <cwchar>
#include <locale.h>

namespace byzel::cli {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
constexpr char kNoCharacter = '.';

bool isControl(unsigned char b) {
    return b < 0x20 || b == 0x7F;
}

void appendCaret(std::string& out, unsigned char control) {
    out += '^';
    out += control == 0x7F ? '?' : static_cast<char>(control + 0x40);
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The one code point that utf8 holds; nothing when it holds none or more.
std::optional<char32_t> soleCodePoint(std::string_view utf8) {
    const auto u = [&](std::size_t i) { return static_cast<unsigned char>(utf8[i]); };
    if (utf8.size() == 1 && u(0) < 0x80)
        return u(0);
    if (utf8.size() == 2 && (u(0) & 0xE0) == 0xC0)
        return char32_t(u(0) & 0x1F) << 6 | (u(1) & 0x3F);
    if (utf8.size() == 3 && (u(0) & 0xF0) == 0xE0)
        return char32_t(u(0) & 0x0F) << 12 | char32_t(u(1) & 0x3F) << 6 | (u(2) & 0x3F);
    if (utf8.size() == 4 && (u(0) & 0xF8) == 0xF0)
        return char32_t(u(0) & 0x07) << 18 | char32_t(u(1) & 0x3F) << 12 |
               char32_t(u(2) & 0x3F) << 6 | (u(3) & 0x3F);
    return std::nullopt;
}

// Columns a terminal gives the character, by the C library's UTF-8 width table; a
// double-byte character is taken as two columns where that table is missing.
int terminalColumns(char32_t cp) {
    static const locale_t utf8 = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
    if (utf8 == locale_t{})
        return 2;
    const locale_t previous = ::uselocale(utf8);
    const int width = ::wcwidth(static_cast<wchar_t>(cp));
    ::uselocale(previous);
    return width;
}

// A single-byte text cell: ASCII, or half-width katakana 0xA1-0xDF (U+FF61 on).
void appendSingleByteUtf8(std::string& out, unsigned char b) {
    if (b >= 0x20 && b < 0x7F)
        out += static_cast<char>(b);
    else if (b >= 0xA1 && b <= 0xDF)
        appendUtf8(out, 0xFF61 + (b - 0xA1));
    else
        out += kNoCharacter;
}

// Controls of decoded text in caret notation, C1 controls as U+FFFD.
std::string harmlessUtf8(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        const bool c1 = b == 0xC2 && i + 1 < utf8.size() &&
                        static_cast<unsigned char>(utf8[i + 1]) >= 0x80 &&
                        static_cast<unsigned char>(utf8[i + 1]) <= 0x9F;
        if (isControl(b)) {
            appendCaret(out, b);
        } else if (c1) {
            out += kReplacement;
            ++i;
        } else {
            out += static_cast<char>(b);
        }
    }
    return out;
}

} // namespace

std::optional<ListingEncoding> listingEncodingNamed(std::string_view name) {
    const QByteArray lower = QByteArray(name.data(), static_cast<qsizetype>(name.size())).toLower();
    if (lower == "sjis" || lower == "shift-jis" || lower == "shift_jis" || lower == "cp932")
        return ListingEncoding::ShiftJis;
    if (lower == "utf-8" || lower == "utf8")
        return ListingEncoding::Utf8;
    return std::nullopt;
}

void ListingRecoder::recode(const DumpRow& row, std::string& out) {
    if (m_encoding == ListingEncoding::Utf8) {
        // Address and hexadecimal cells are ASCII.
        out.append(row.line.substr(0, kTextColumn));
        appendTextCellsUtf8(row, out);
        out.append(row.line.substr(kTextColumn + kMaxTextCells));
    } else if (m_harmless) {
        for (char c : row.line)
            out += isControl(static_cast<unsigned char>(c)) ? kNoCharacter : c;
    } else {
        out.append(row.line);
    }
    out += remark(row.remarkEntry);
}

std::string ListingRecoder::remark(std::string_view sjis) const {
    if (m_encoding == ListingEncoding::Utf8) {
        const std::string utf8 = cp932ToUtf8(sjis);
        return m_harmless ? harmlessUtf8(utf8) : utf8;
    }
    if (!m_harmless)
        return std::string(sjis);
    // Control bytes are never the second byte of a Shift-JIS character, so a byte-wise pass
    // leaves every character whole.
    std::string out;
    for (char c : sjis)
        if (isControl(static_cast<unsigned char>(c)))
            appendCaret(out, static_cast<unsigned char>(c));
        else
            out += c;
    return out;
}

void ListingRecoder::appendTextCellsUtf8(const DumpRow& row, std::string& out) {
    const auto byteAt = [&](int cell) {
        return static_cast<unsigned char>(row.line[static_cast<std::size_t>(kTextColumn + cell)]);
    };
    for (int i = 0; i < kMaxTextCells; ++i) {
        switch (row.cells[static_cast<std::size_t>(i)]) {
        case TextCell::Blank:
            out += ' ';
            break;
        case TextCell::Byte:
            appendSingleByteUtf8(out, byteAt(i));
            break;
        case TextCell::PairFirst:
            if (i + 1 < kMaxTextCells) {
                out += pairUtf8(byteAt(i), byteAt(i + 1));
                ++i;
            } else {
                out += kNoCharacter;
            }
            break;
        case TextCell::PairSecond:
            // Never without its first byte; shown as no character should it happen.
            out += kNoCharacter;
            break;
        }
    }
}

// Two columns: the character, the character and a space when it is one column wide, or two
// dots when the pair is no printable character.
const std::string& ListingRecoder::pairUtf8(unsigned char lead, unsigned char trail) {
    const auto key = static_cast<std::uint16_t>(lead << 8 | trail);
    if (const auto found = m_pairs.find(key); found != m_pairs.end())
        return found->second;
    const char bytes[] = {static_cast<char>(lead), static_cast<char>(trail)};
    std::string shown = cp932ToUtf8({bytes, 2});
    const auto cp = soleCodePoint(shown);
    const bool printable = cp && *cp >= 0xA0 && shown != kReplacement;
    const int columns = printable ? terminalColumns(*cp) : 0;
    if (columns == 1)
        shown += ' ';
    else if (columns != 2)
        shown = std::string(2, kNoCharacter);
    return m_pairs.emplace(key, std::move(shown)).first->second;
}

} // namespace byzel::cli

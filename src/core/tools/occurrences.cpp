#include "core/tools/occurrences.h"

#include "core/dumpfile/bytesource.h"
#include "core/text/thousands.h"

#include <algorithm>
#include <cstdio>

namespace byzel {
namespace {

enum ByteClass : std::uint8_t { Single, Skipped, Lead };

constexpr std::array<ByteClass, 256> kByteClasses = [] {
    std::array<ByteClass, 256> classes{};
    for (int b = 0; b < 256; ++b)
        classes[b] = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFE) ? Lead
                     : b == 0x0D || b == 0x0A                             ? Skipped
                                                                          : Single;
    return classes;
}();

constexpr int kCodeCellWidth = 9;

std::string grouped(std::int64_t value) {
    return groupThousands(std::to_string(value));
}

} // namespace

OccurrenceCounter::OccurrenceCounter() : m_characters(65536, 0) {}

void OccurrenceCounter::add(std::span<const std::uint8_t> bytes) {
    const std::uint8_t* p = bytes.data();
    const std::uint8_t* const end = p + bytes.size();
    m_totalBytes += static_cast<std::int64_t>(bytes.size());
    for (const std::uint8_t* b = p; b != end; ++b)
        ++m_byteCounts[*b];
    if (m_pendingLead >= 0 && p != end) {
        record(static_cast<std::uint16_t>(m_pendingLead << 8 | *p++));
        m_pendingLead = -1;
    }
    while (p != end) {
        const std::uint8_t b = *p++;
        switch (kByteClasses[b]) {
        case Single:
            record(b);
            break;
        case Lead:
            if (p == end) {
                m_pendingLead = b;
                return;
            }
            record(static_cast<std::uint16_t>(b << 8 | *p++));
            break;
        case Skipped:
            break;
        }
    }
}

void OccurrenceCounter::finish() {
    if (m_pendingLead >= 0)
        record(static_cast<std::uint16_t>(m_pendingLead));
    m_pendingLead = -1;
}

std::optional<OccurrenceCounter> countOccurrences(const ByteSource& source,
                                                  const ProgressFn& progress) {
    OccurrenceCounter counter;
    const std::int64_t total = source.size();
    std::vector<std::uint8_t> block(static_cast<std::size_t>(kPassBlockSize));
    std::int64_t done = 0;
    while (done < total) {
        const auto want = static_cast<std::size_t>(
            std::min<std::int64_t>(total - done, kPassBlockSize));
        const std::int32_t got =
            source.readAt(static_cast<Offset>(done), std::span(block.data(), want));
        if (got <= 0)
            return std::nullopt;
        counter.add(std::span(block.data(), static_cast<std::size_t>(got)));
        done += got;
        if (progress && !progress(done, total))
            return std::nullopt;
    }
    counter.finish();
    return counter;
}

bool isDoubleByteCode(std::uint16_t code) {
    return code > 0xFF;
}

bool characterPasses(std::uint16_t code, int filter) {
    switch (filter) {
    case AllCharacters:
        return true;
    case DoubleByteOnly:
        return isDoubleByteCode(code);
    case SingleByteOnly:
        return !isDoubleByteCode(code);
    case LettersOnly:
        return (code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z');
    case KanjiOnly:
        return isDoubleByteCode(code) && code >= 0x889F;
    default:
        return false;
    }
}

CharacterTable characterTable(const OccurrenceCounter& counts, int filter, int capacity) {
    CharacterTable table;
    for (const std::uint16_t code : counts.firstOccurrences()) {
        if (!characterPasses(code, filter))
            continue;
        if (static_cast<int>(table.rows.size()) >= capacity)
            break;
        table.rows.push_back({code, counts.countOf(code)});
    }
    table.full = static_cast<int>(table.rows.size()) >= capacity;
    std::stable_sort(table.rows.begin(), table.rows.end(),
                     [](const CharacterRow& a, const CharacterRow& b) { return a.count > b.count; });
    return table;
}

std::string countText(std::uint32_t count) {
    char text[16];
    std::snprintf(text, sizeof text, "%6lu", static_cast<unsigned long>(count));
    return text;
}

std::string characterBytes(std::uint16_t code) {
    if (!isDoubleByteCode(code))
        return std::string(1, static_cast<char>(code));
    return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

std::string codeText(std::uint16_t code) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(code));
    return text;
}

std::string decimalText(std::uint16_t code) {
    return std::to_string(code);
}

std::string codeTableText(const std::array<std::int64_t, 256>& counts) {
    std::array<std::string, 256> cells;
    std::size_t width = kCodeCellWidth;
    for (std::size_t i = 0; i < counts.size(); ++i) {
        cells[i] = grouped(counts[i]);
        width = std::max(width, cells[i].size());
    }
    const std::size_t before = (width - 1) / 2;
    std::string text = "     ";
    for (int k = 0; k < 16; ++k) {
        char digit[4];
        std::snprintf(digit, sizeof digit, "%X", k);
        text += std::string(before, ' ') + digit + std::string(width - 1 - before, ' ');
    }
    text += "\r\n";
    for (int r = 0; r < 16; ++r) {
        char head[8];
        std::snprintf(head, sizeof head, " %X : ", r);
        text += head;
        for (int k = 0; k < 16; ++k) {
            const std::string& cell = cells[static_cast<std::size_t>(r * 16 + k)];
            text += std::string(width - cell.size(), ' ') + cell;
        }
        text += "\r\n";
    }
    return text;
}

std::string totalText(std::int64_t total) {
    return "(" + grouped(total) + ")";
}

} // namespace byzel

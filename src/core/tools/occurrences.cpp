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

// The first counter of each lead byte's pairs (0 for other bytes), and the way back.
constexpr std::array<std::uint32_t, 256> kLeadSlots = [] {
    std::array<std::uint32_t, 256> slots{};
    std::uint32_t number = 0;
    for (int b = 0; b < 256; ++b)
        if (kByteClasses[b] == Lead)
            slots[b] = ++number << 8;
    return slots;
}();
constexpr std::array<std::uint8_t, 63> kLeadOfNumber = [] {
    std::array<std::uint8_t, 63> leads{};
    for (int b = 0; b < 256; ++b)
        if (kLeadSlots[b] != 0)
            leads[kLeadSlots[b] >> 8] = static_cast<std::uint8_t>(b);
    return leads;
}();
// What the byte after a lead byte adds to the counter's number, so that picking a pair's
// counter needs no branch.
constexpr std::array<std::uint32_t, 256> kSecondByteMasks = [] {
    std::array<std::uint32_t, 256> masks{};
    for (int b = 0; b < 256; ++b)
        masks[b] = kByteClasses[b] == Lead ? 0xFFu : 0u;
    return masks;
}();
// The counter of each byte value: its own, its lead byte's first, or the first spare one for CR
// and LF.
constexpr std::array<std::uint32_t, 256> kSlotsOf = [] {
    std::array<std::uint32_t, 256> slots{};
    for (int b = 0; b < 256; ++b)
        slots[b] = kByteClasses[b] == Lead      ? kLeadSlots[b]
                   : kByteClasses[b] == Skipped ? OccurrenceCounter::kSpareSlot
                                                : static_cast<std::uint32_t>(b);
    return slots;
}();

constexpr int kCodeCellWidth = 9;

std::string grouped(std::int64_t value) {
    return groupThousands(std::to_string(value));
}

} // namespace

OccurrenceCounter::OccurrenceCounter() : m_characters(kSpareSlot + kSpareSlots, 0) {
    std::fill(m_characters.begin() + kSpareSlot, m_characters.end(), 1);
}

void OccurrenceCounter::add(std::span<const std::uint8_t> bytes) {
    const std::uint8_t* const p = bytes.data();
    const std::size_t n = bytes.size();
    m_totalBytes += static_cast<std::int64_t>(n);
    countBytes(bytes);
    std::size_t i = 0;
    if (m_pendingLead >= 0 && n > 0) {
        record(kLeadSlots[static_cast<std::size_t>(m_pendingLead)] | p[0]);
        m_pendingLead = -1;
        i = 1;
    }
    // Byte by byte without branches on the data, which mixes the kinds unpredictably: the only
    // thing carried from one byte to the next is whether it is the second byte of a pair. A
    // second byte, CR and LF are counted in spare slots that no character uses.
    std::uint32_t* const counts = m_characters.data();
    std::uint32_t trail = 0;
    for (; i + 1 < n; ++i) {
        const std::uint32_t b = p[i];
        const std::uint32_t second = kSecondByteMasks[b];
        const std::uint32_t own = kSlotsOf[b] | (p[i + 1] & second);
        const std::uint32_t spare = kSpareSlot + static_cast<std::uint32_t>(i % kSpareSlots);
        const std::uint32_t isTrail = 0u - trail;
        const std::uint32_t slot = (own & ~isTrail) | (spare & isTrail);
        if (counts[slot]++ == 0) [[unlikely]]
            m_order.push_back(codeOfSlot(slot));
        trail = second & ~trail & 1;
    }
    if (i + 1 == n && !trail) {
        switch (kByteClasses[p[i]]) {
        case Single:
            record(p[i]);
            break;
        case Lead:
            m_pendingLead = p[i];
            break;
        case Skipped:
            break;
        }
    }
}

void OccurrenceCounter::countBytes(std::span<const std::uint8_t> bytes) {
    // Four tables, so that a run of equal bytes does not wait on its own previous count.
    std::array<std::array<std::uint32_t, 256>, 4> tables{};
    std::size_t i = 0;
    for (; i + 4 <= bytes.size(); i += 4) {
        ++tables[0][bytes[i]];
        ++tables[1][bytes[i + 1]];
        ++tables[2][bytes[i + 2]];
        ++tables[3][bytes[i + 3]];
    }
    for (; i < bytes.size(); ++i)
        ++tables[0][bytes[i]];
    for (int v = 0; v < 256; ++v)
        m_byteCounts[v] += std::int64_t{tables[0][v]} + tables[1][v] + tables[2][v] + tables[3][v];
}

std::uint16_t OccurrenceCounter::codeOfSlot(std::uint32_t slot) {
    return slot < 256 ? static_cast<std::uint16_t>(slot)
                      : static_cast<std::uint16_t>(kLeadOfNumber[slot >> 8] << 8 | (slot & 0xFF));
}

std::uint32_t OccurrenceCounter::countOf(std::uint16_t code) const {
    if (code < 256)
        return m_characters[code];
    const std::uint32_t lead = kLeadSlots[code >> 8];
    return lead == 0 ? 0 : m_characters[lead | (code & 0xFFu)];
}

void OccurrenceCounter::finish() {
    if (m_pendingLead >= 0)
        record(static_cast<std::uint32_t>(m_pendingLead));
    m_pendingLead = -1;
}

std::optional<OccurrenceCounter> countOccurrences(const ByteSource& source,
                                                  const ProgressFn& progress) {
    OccurrenceCounter counter;
    const std::int64_t total = source.size();
    std::vector<std::uint8_t> block(static_cast<std::size_t>(kPassBlockSize));
    std::int64_t done = 0;
    while (done < total) {
        const auto want =
            static_cast<std::size_t>(std::min<std::int64_t>(total - done, kPassBlockSize));
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
    std::stable_sort(
        table.rows.begin(), table.rows.end(),
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

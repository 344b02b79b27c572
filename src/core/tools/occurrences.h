#pragma once

#include "core/ui/progress.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace byzel {

class ByteSource;

// Character kind filters of the occurrence counter, as stored in "CharType".
enum CharacterFilter : int {
    AllCharacters = 0,
    DoubleByteOnly = 1,
    SingleByteOnly = 2,
    LettersOnly = 3,
    KanjiOnly = 4,
};

// Counts, in one pass, every byte value and every Shift-JIS character of the data fed to it.
// A byte 0x81-0x9F or 0xE0-0xFE leads a double-byte character whose code is lead * 256 + the
// next byte, whatever that is; CR and LF elsewhere are no characters. Codes below 256 are
// single-byte characters. A lead byte that ends the data counts as a single-byte character.
class OccurrenceCounter {
public:
    OccurrenceCounter();

    // Data may arrive in blocks of any size; a character may straddle two blocks.
    void add(std::span<const std::uint8_t> bytes);
    // Ends the data.
    void finish();

    [[nodiscard]] const std::array<std::int64_t, 256>& byteCounts() const { return m_byteCounts; }
    [[nodiscard]] std::int64_t totalBytes() const { return m_totalBytes; }
    // Every character met, in the order of its first occurrence.
    [[nodiscard]] const std::vector<std::uint16_t>& firstOccurrences() const { return m_order; }
    [[nodiscard]] std::uint32_t countOf(std::uint16_t code) const;

    // Counters are packed: a single byte counts at its value, a pair at the number of its lead
    // byte (1 to 62) times 256 plus its second byte, so the table stays small enough to be
    // fast. After them come spare slots where second bytes, CR and LF are counted; they start
    // above 0 so that they never enter the order of first occurrences, and there are several
    // so that a run of them does not wait on one counter.
    static constexpr std::uint32_t kSpareSlot = 63 * 256;
    static constexpr std::uint32_t kSpareSlots = 4;

private:
    void record(std::uint32_t slot) {
        if (m_characters[slot]++ == 0) [[unlikely]]
            m_order.push_back(codeOfSlot(slot));
    }
    [[nodiscard]] static std::uint16_t codeOfSlot(std::uint32_t slot);
    void countBytes(std::span<const std::uint8_t> bytes);

    std::vector<std::uint32_t> m_characters;
    std::array<std::int64_t, 256> m_byteCounts{};
    std::int64_t m_totalBytes = 0;
    std::vector<std::uint16_t> m_order;
    int m_pendingLead = -1;
};

// Counts the whole of source in blocks. Nothing when a read fails or progress asks to stop.
[[nodiscard]] std::optional<OccurrenceCounter> countOccurrences(const ByteSource& source,
                                                                const ProgressFn& progress = {});

[[nodiscard]] bool isDoubleByteCode(std::uint16_t code);
// Whether filter (0 to 4) admits the character; an unknown filter admits nothing.
[[nodiscard]] bool characterPasses(std::uint16_t code, int filter);

struct CharacterRow {
    std::uint16_t code;
    std::uint32_t count;
};
struct CharacterTable {
    std::vector<CharacterRow> rows;
    // The table reached its capacity: 30065 is shown once.
    bool full = false;
};
// The characters the filter admits, at most capacity of them: the first ones met, each with
// its whole count. Sorted by count, highest first; equal counts keep the order of first
// occurrence.
[[nodiscard]] CharacterTable characterTable(const OccurrenceCounter& counts, int filter,
                                            int capacity);

// The texts of a row: "%6ld" count, the character's Shift-JIS bytes, "0x%04X", decimal.
[[nodiscard]] std::string countText(std::uint32_t count);
[[nodiscard]] std::string characterBytes(std::uint16_t code);
[[nodiscard]] std::string codeText(std::uint16_t code);
[[nodiscard]] std::string decimalText(std::uint16_t code);

// The 16 x 16 table of byte value counts, lines ending in "\r\n": a header of the low digits,
// then one line per high digit with each count grouped in thousands and right-aligned in a
// nine-character cell (cells widen together when a count needs more).
[[nodiscard]] std::string codeTableText(const std::array<std::int64_t, 256>& counts);
// "(1,234,567)".
[[nodiscard]] std::string totalText(std::int64_t total);

} // namespace byzel

#include "core/tools/occurrences.h"
#include "memorysource.h"

#include <gtest/gtest.h>

#include <random>

namespace byzel {
namespace {

using testing::MemorySource;

OccurrenceCounter counted(std::string_view bytes) {
    auto counts = countOccurrences(MemorySource(bytes));
    EXPECT_TRUE(counts);
    return counts ? *counts : OccurrenceCounter();
}

std::vector<std::pair<std::uint16_t, std::uint32_t>> rowsOf(const CharacterTable& table) {
    std::vector<std::pair<std::uint16_t, std::uint32_t>> rows;
    for (const auto& r : table.rows)
        rows.emplace_back(r.code, r.count);
    return rows;
}

using Rows = std::vector<std::pair<std::uint16_t, std::uint32_t>>;

TEST(Occurrences, LineBreaksAreBytesButNoCharacters) {
    const auto counts = counted("AAB\r\n");
    EXPECT_EQ(rowsOf(characterTable(counts, AllCharacters, 200)), (Rows{{'A', 2}, {'B', 1}}));
    EXPECT_EQ(rowsOf(characterTable(counts, LettersOnly, 200)), (Rows{{'A', 2}, {'B', 1}}));
    EXPECT_TRUE(characterTable(counts, DoubleByteOnly, 200).rows.empty());
    EXPECT_EQ(counts.byteCounts()[0x41], 2);
    EXPECT_EQ(counts.byteCounts()[0x42], 1);
    EXPECT_EQ(counts.byteCounts()[0x0D], 1);
    EXPECT_EQ(counts.byteCounts()[0x0A], 1);
    EXPECT_EQ(totalText(counts.totalBytes()), "(5)");
}

TEST(Occurrences, LeadBytesTakeTheNextByteWhateverItIs) {
    // 0xB1 is half-width katakana; 0x82 0xA0 one character; 0x88 0x0D takes the CR along.
    const auto counts = counted("\xB1\x82\xA0\x88\x0D\x88\x9F\xE0");
    EXPECT_EQ(rowsOf(characterTable(counts, AllCharacters, 200)),
              (Rows{{0xB1, 1}, {0x82A0, 1}, {0x880D, 1}, {0x889F, 1}, {0xE0, 1}}));
    EXPECT_EQ(rowsOf(characterTable(counts, SingleByteOnly, 200)), (Rows{{0xB1, 1}, {0xE0, 1}}));
    EXPECT_EQ(rowsOf(characterTable(counts, KanjiOnly, 200)), (Rows{{0x889F, 1}}));
    EXPECT_EQ(decimalText(0x82A0), "33440");
    EXPECT_EQ(codeText(0x82A0), "0x82A0");
    EXPECT_EQ(codeText(0x41), "0x0041");
    EXPECT_EQ(characterBytes(0x82A0), "\x82\xA0");
    EXPECT_EQ(characterBytes(0xB1), "\xB1");
}

TEST(Occurrences, CharactersStraddlingBlocksAreCountedOnce) {
    OccurrenceCounter counter;
    const std::string_view data = "\x82\xA0\x82\xA0X";
    for (char c : data)
        counter.add(std::span(reinterpret_cast<const std::uint8_t*>(&c), 1));
    counter.finish();
    EXPECT_EQ(rowsOf(characterTable(counter, AllCharacters, 200)), (Rows{{0x82A0, 2}, {'X', 1}}));
    EXPECT_EQ(counter.totalBytes(), 5);
}

TEST(Occurrences, RowsByCountWithTiesInOrderOfFirstOccurrence) {
    const auto counts = counted("cabbcaddd");
    EXPECT_EQ(rowsOf(characterTable(counts, AllCharacters, 200)),
              (Rows{{'d', 3}, {'c', 2}, {'a', 2}, {'b', 2}}));
}

TEST(Occurrences, CapacityKeepsTheFirstCharactersWithTheirWholeCounts) {
    // 95 single-byte characters, then 150 distinct double-byte ones, then the first again.
    std::string data;
    for (int c = 0x20; c < 0x7F; ++c)
        data += static_cast<char>(c);
    for (int t = 0x40; t < 0x40 + 150; ++t)
        data += std::string("\x89") + static_cast<char>(t);
    data += "  ";
    const auto counts = counted(data);
    const auto table = characterTable(counts, AllCharacters, 200);
    EXPECT_TRUE(table.full);
    ASSERT_EQ(table.rows.size(), 200u);
    EXPECT_EQ(table.rows[0].code, ' ');
    EXPECT_EQ(table.rows[0].count, 3u);
    EXPECT_EQ(table.rows.back().code, 0x8940 + 104);
    // Exactly as many distinct characters as the capacity also fills the table.
    EXPECT_TRUE(characterTable(counted("ab"), AllCharacters, 2).full);
    EXPECT_FALSE(characterTable(counted("ab"), AllCharacters, 3).full);
}

TEST(Occurrences, LoneLeadByteAtTheEndIsASingleByteCharacter) {
    EXPECT_EQ(rowsOf(characterTable(counted("A\x81"), AllCharacters, 200)),
              (Rows{{'A', 1}, {0x81, 1}}));
}

TEST(Occurrences, UnknownFilterCountsNothing) {
    EXPECT_TRUE(characterTable(counted("abc"), 7, 200).rows.empty());
}

TEST(Occurrences, CountTextIsRightAlignedInSix) {
    EXPECT_EQ(countText(2), "     2");
    EXPECT_EQ(countText(1234567), "1234567");
}

TEST(Occurrences, CodeTableCellsAreGroupedAndRightAligned) {
    std::array<std::int64_t, 256> counts{};
    counts[0x41] = 1234567;
    counts[0x0D] = 1;
    const std::string text = codeTableText(counts);
    const auto lineStart = [&](int n) {
        std::size_t at = 0;
        for (int i = 0; i < n; ++i)
            at = text.find("\r\n", at) + 2;
        return at;
    };
    EXPECT_EQ(text.substr(0, 5 + 18), "         0        1    ");
    EXPECT_EQ(text.substr(lineStart(1), 5 + 9), " 0 : " + std::string(8, ' ') + "0");
    EXPECT_EQ(text.substr(lineStart(1) + 5 + 13 * 9, 9), "        1");
    EXPECT_EQ(text.substr(lineStart(5) + 5 + 9, 9), "1,234,567");
    EXPECT_EQ(text.size(), 17 * 2 + 5 * 17 + 16 * 9 * 17);
}

TEST(Occurrences, CodeTableWidensRatherThanCutsLargeCounts) {
    std::array<std::int64_t, 256> counts{};
    counts[0] = 123456789;
    const std::string text = codeTableText(counts);
    EXPECT_NE(text.find(" 0 : 123,456,789"), std::string::npos);
    EXPECT_NE(text.find(" 1 :           0"), std::string::npos);
}

TEST(Occurrences, StopsWhenProgressSaysSo) {
    MemorySource source(std::vector<std::uint8_t>(kPassBlockSize + 1, 'a'));
    EXPECT_FALSE(countOccurrences(source, [](std::int64_t, std::int64_t) { return false; }));
}

// The counting walk as plainly as it can be written: lead byte and whatever follows as one
// character, CR and LF skipped, characters listed as first met.
std::vector<std::pair<std::uint16_t, std::uint32_t>> plainWalk(const std::vector<std::uint8_t>& d) {
    std::vector<std::pair<std::uint16_t, std::uint32_t>> seen;
    for (std::size_t i = 0; i < d.size(); ++i) {
        const int b = d[i];
        if (b == 0x0D || b == 0x0A)
            continue;
        std::uint16_t code = static_cast<std::uint16_t>(b);
        if (((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFE)) && i + 1 < d.size())
            code = static_cast<std::uint16_t>(b << 8 | d[++i]);
        auto it = std::find_if(seen.begin(), seen.end(), [&](auto& s) { return s.first == code; });
        if (it == seen.end())
            seen.emplace_back(code, 1);
        else
            ++it->second;
    }
    return seen;
}

TEST(Occurrences, AgreesWithThePlainWalkOnMixedDataInAnyBlocks) {
    std::mt19937 random(42);
    // Lead bytes, line breaks and plain bytes in runs, as text and binary data mix them.
    const std::uint8_t pool[] = {0x81, 0x9F, 0xE0, 0xFE, 0x88, 0x0D,
                                 0x0A, 'A',  0x00, 0xFF, 0xA0, 0x40};
    for (int round = 0; round < 20; ++round) {
        std::vector<std::uint8_t> data(1 + random() % 5000);
        for (auto& b : data)
            b = random() % 3 == 0 ? static_cast<std::uint8_t>(random())
                                  : pool[random() % std::size(pool)];
        OccurrenceCounter counter;
        for (std::size_t at = 0; at < data.size();) {
            const std::size_t n = std::min<std::size_t>(data.size() - at, random() % 7);
            counter.add(std::span(data.data() + at, n));
            at += n;
        }
        counter.finish();
        Rows rows;
        for (const std::uint16_t code : counter.firstOccurrences())
            rows.emplace_back(code, counter.countOf(code));
        EXPECT_EQ(rows, plainWalk(data)) << "round " << round;
    }
}

} // namespace
} // namespace byzel

#include "core/dumplist/dumplist.h"

#include "memorysource.h"

#include <gtest/gtest.h>

namespace byzel {
namespace {

using testing::MemorySource;
using Cells = std::vector<TextCell>;
constexpr auto B = TextCell::Blank, Y = TextCell::Byte, F = TextCell::PairFirst,
               S = TextCell::PairSecond;

struct Listing : DumpListTarget {
    void headerLines(std::string_view h, std::string_view r) override { header = h, rule = r; }
    bool row(const DumpRow& row) override {
        EXPECT_EQ(row.lineIndex, std::ssize(lines));
        lines.emplace_back(row.line);
        cells.emplace_back(row.cells.begin(), row.cells.end());
        entries.emplace_back(row.remarkEntry);
        return true;
    }
    std::string text(size_t k) const { return lines[k].substr(kTextColumn, kMaxTextCells); }
    std::string header, rule;
    std::vector<std::string> lines, entries;
    std::vector<Cells> cells;
};

Listing list(const ByteSource& source, Offset topRow = 0, int rowCount = 100,
             const MarkerTable& markers = {}, int remarkStart = 0, bool dumpOnly = false) {
    Listing r;
    OutputDumpList(source, markers, topRow, remarkStart, rowCount, r, dumpOnly);
    return r;
}

std::string padded(std::string s, size_t width = kRowLineLength) {
    s.resize(width, ' ');
    return s;
}

TEST(DumpList, ShortLastRowIsPaddedAndEndsTheListing) {
    auto r = list(MemorySource("0123456789abcdefWXYZ"));
    ASSERT_EQ(r.lines.size(), 2u);
    EXPECT_EQ(r.lines[1], padded(padded("00000010 57 58 59 5A ", kTextColumn) + "WXYZ"));
    EXPECT_EQ(r.cells[1], Cells({Y, Y, Y, Y, B, B, B, B, B, B, B, B, B, B, B, B, B}));
}

TEST(DumpList, TextCellsFollowTheLeadByteRules) {
    // 0x80 counts as a control byte and 0xF0 is no lead byte; after a lead byte anything is
    // placed unchanged, CR and LF included.
    auto r =
        list(MemorySource(std::string("\x80\x7F\xA0\xF0\r\n\x82\r\x9F\n\xEE\x41\xEF\x01 z", 16)));
    EXPECT_EQ(r.text(0), std::string(" \x7F\xA0\xF0  \x82\r\x9F\n\xEE\x41\xEF  z "));
    EXPECT_EQ(r.cells[0], Cells({B, Y, Y, Y, B, B, F, S, F, S, F, S, Y, B, Y, Y, B}));

    // A zero after a lead byte ends the column, but the bytes behind it still count: the lead
    // byte in the last position opens the next row.
    r = list(MemorySource(std::string("AB\x82\0CD\x81\x40"
                                      "EFGHIJK\x83\x40x",
                                      18)));
    EXPECT_EQ(r.text(0), "AB\x82" + std::string(14, ' '));
    EXPECT_EQ(r.cells[0], Cells({Y, Y, Y, B, B, B, B, B, B, B, B, B, B, B, B, B, B}));
    EXPECT_EQ(r.text(1), "\x83\x40x" + std::string(14, ' '));
    EXPECT_EQ(list(MemorySource("xy\x82")).cells[0][2], Y);
}

TEST(DumpList, LeadByteAtTheRowEndIsCarriedWithinOneListing) {
    const MemorySource source(std::string(15, 'a') + "\x82\xA0" + std::string(15, 'b'));
    auto r = list(source);
    ASSERT_EQ(r.lines.size(), 3u);
    EXPECT_EQ(r.text(0), std::string(15, 'a') + "  ");
    EXPECT_EQ(r.text(1), "\x82\xA0" + std::string(15, 'b'));
    EXPECT_EQ(r.cells[1], Cells({F, S, Y, Y, Y, Y, Y, Y, Y, Y, Y, Y, Y, Y, Y, Y, Y}));
    EXPECT_EQ(r.lines[1].substr(kTextColumn + 17), "  ");
    EXPECT_EQ(list(source, 1).text(0), "\xA0" + std::string(15, 'b') + " ");
    // The empty last row of a file ending in a lead byte shows that byte alone.
    r = list(MemorySource(std::string(15, 'a') + "\x82"));
    EXPECT_EQ(r.text(1), "\x82" + std::string(16, ' '));
    EXPECT_EQ(r.cells[1][0], Y);
}

TEST(DumpList, RemarkColumnListsMarkersFromItsStart) {
    const MemorySource source(std::string(100, 'q'));
    MarkerTable markers;
    for (int i = 0; i < 3; ++i)
        markers.append(i * 40, i * 40 + 1, kStandardColors[0]);
    ASSERT_TRUE(markers.setRemark(1, "\x83\x7d\x81\x5b\x83\x4a remark"));

    auto r = list(source, 0, 100, markers, 1);
    EXPECT_EQ(r.header, kFullHeader);
    EXPECT_EQ(r.rule, std::string(101, '-'));
    EXPECT_EQ(r.entries, (std::vector<std::string>{"    2 \x83\x7d\x81\x5b\x83\x4a remark",
                                                   "    3 ", "", "", "", "", ""}));
    EXPECT_EQ(list(source, 0, 100, markers, -1).entries[1], "    1 ");
    EXPECT_EQ(list(source, 0, 100, markers, 3).entries, std::vector<std::string>(7));

    r = list(source, 0, 100, markers, 0, true);
    EXPECT_EQ(r.header.size(), 76u);
    EXPECT_EQ(r.rule, std::string(74, '-'));
    EXPECT_EQ(r.entries, std::vector<std::string>(7));
}

TEST(DumpList, ListingReadsOnlyItsRows) {
    MemorySource source(std::vector<std::uint8_t>(0x10000, 0x41));
    auto r = list(source, 100, 60);
    ASSERT_EQ(r.lines.size(), 60u);
    EXPECT_EQ(r.lines[0].substr(0, 9), "00000640 ");
    EXPECT_EQ(source.bytesRead(), 60u * 16);

    // Past the data only the address; past any possible dump file nothing at all.
    EXPECT_EQ(list(source, 0x5000, 60).lines, std::vector<std::string>{padded("00050000")});
    EXPECT_EQ(list(source, kMaxRow, 60).lines[0], padded("7FFFFFF0"));
    EXPECT_TRUE(list(source, kMaxRow + 1, 60).lines.empty());

    // A reader that hands out little at a time still delivers every row.
    source.limitReads(100);
    EXPECT_EQ(list(source, 0, 5000).lines.size(), 0x10000u / 16 + 1);
}

} // namespace
} // namespace byzel

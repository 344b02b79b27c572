#include "core/dumplist.h"

#include "memorysource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace byzel {
namespace {

using testing::MemorySource;
using Cells = std::vector<TextCell>;
constexpr auto B = TextCell::Blank, Y = TextCell::Byte, F = TextCell::PairFirst,
               S = TextCell::PairSecond;

struct Recorded {
    std::string line;
    Cells cells;
    int markerIndex;
    std::string entry;
    std::string text() const { return line.substr(kTextColumn, kMaxTextCells); }
};

class Recorder : public DumpListTarget {
public:
    void headerLines(std::string_view h, std::string_view r) override {
        header = h;
        rule = r;
    }
    bool row(const DumpRow& row) override {
        EXPECT_EQ(row.lineIndex, static_cast<int>(rows.size()));
        EXPECT_EQ(row.line.size(), static_cast<size_t>(kRowLineLength));
        rows.push_back({std::string(row.line), Cells(row.cells.begin(), row.cells.end()),
                        row.markerIndex, std::string(row.remarkEntry)});
        return true;
    }
    std::string header, rule;
    std::vector<Recorded> rows;
};

Recorder list(const ByteSource& source, Offset topRow = 0, int rowCount = 100,
              const MarkerTable& markers = {}, int remarkStart = 0, bool dumpOnly = false) {
    Recorder r;
    OutputDumpList(source, markers, topRow, remarkStart, rowCount, r, dumpOnly);
    return r;
}

std::string padded(std::string s, size_t width = kRowLineLength) {
    s.resize(width, ' ');
    return s;
}

TEST(DumpList, ShortLastRowIsPaddedAndEndsTheListing) {
    MemorySource source("0123456789abcdefWXYZ");
    auto r = list(source);
    ASSERT_EQ(r.rows.size(), 2u);
    EXPECT_EQ(r.rows[0].line, "00000000 30 31 32 33 34 35 36 37 38 39 61 62 63 64 65 66 "
                              "0123456789abcdef   ");
    EXPECT_EQ(r.rows[1].line, padded(padded("00000010 57 58 59 5A ", kTextColumn) + "WXYZ"));
    EXPECT_EQ(r.rows[1].cells, Cells({Y, Y, Y, Y, B, B, B, B, B, B, B, B, B, B, B, B, B}));
}

TEST(DumpList, CellsShowPrintableBytesAndBlankControlBytes) {
    // 0x80 counts as a control byte; 0xF0 is not a lead byte here. After a lead byte anything
    // is placed unchanged, CR and LF included.
    MemorySource source(
        std::string("\x80\x7F\xA0\xF0\x0D\x0A\x82\x0D\x9F\x0A\xEE\x41\xEF\x01 z", 16));
    auto row = list(source).rows[0];
    EXPECT_EQ(row.text(), std::string(" \x7F\xA0\xF0  \x82\x0D\x9F\x0A\xEE\x41\xEF  z ", 17));
    EXPECT_EQ(row.cells, Cells({B, Y, Y, Y, B, B, F, S, F, S, F, S, Y, B, Y, Y, B}));
}

TEST(DumpList, LeadByteAtTheRowEndOpensTheNextRow) {
    std::string bytes(16, 'a');
    bytes[15] = '\x82';
    bytes += "\xA0" + std::string(15, 'b');
    MemorySource source(bytes);
    auto r = list(source);
    ASSERT_EQ(r.rows.size(), 3u);
    EXPECT_EQ(r.rows[0].text(), std::string(15, 'a') + "  ");
    EXPECT_EQ(r.rows[0].cells[15], B);
    EXPECT_EQ(r.rows[1].text(), "\x82\xA0" + std::string(15, 'b'));
    EXPECT_EQ(r.rows[1].cells, Cells({F, S, Y, Y, Y, Y, Y, Y, Y, Y, Y, Y, Y, Y, Y, Y, Y}));
    EXPECT_EQ(r.rows[1].line.substr(kTextColumn + 17), "  ");

    // A listing that starts at the second row never inherits the lead byte.
    EXPECT_EQ(list(source, 1).rows[0].text(), "\xA0" + std::string(15, 'b') + " ");
    // The empty last row of a file ending in a lead byte shows that byte alone.
    MemorySource ending(std::string(15, 'a') + "\x82");
    EXPECT_EQ(list(ending).rows[1].text(), "\x82" + std::string(16, ' '));
    EXPECT_EQ(list(ending).rows[1].cells[0], Y);
}

TEST(DumpList, ZeroAfterALeadByteEndsTheTextColumnButNotTheLeadByteRules) {
    std::string bytes("AB\x82\x00"
                      "CD"
                      "\x81\x40"
                      "EFGHIJK\x83"
                      "\x40"
                      "x",
                      18);
    MemorySource source(bytes);
    auto r = list(source);
    EXPECT_EQ(r.rows[0].text(), "AB\x82" + std::string(14, ' '));
    EXPECT_EQ(r.rows[0].cells, Cells({Y, Y, Y, B, B, B, B, B, B, B, B, B, B, B, B, B, B}));
    // The lead byte behind the cut still carries over.
    EXPECT_EQ(r.rows[1].text(), "\x83\x40x" + std::string(14, ' '));
    // A lead byte as the very last byte of the data stands alone.
    MemorySource lone("xy\x82");
    EXPECT_EQ(list(lone).rows[0].cells[2], Y);
}

TEST(DumpList, RemarkColumnListsMarkersFromItsStartIndependentOfTheRows) {
    MemorySource source(std::string(100, 'q'));
    MarkerTable markers;
    for (int i = 0; i < 3; ++i)
        markers.append(i * 40, i * 40 + 1, kStandardColors[static_cast<size_t>(i)]);
    ASSERT_TRUE(markers.setRemark(1, "\x83\x7d\x81\x5b\x83\x4a remark"));

    auto r = list(source, 0, 100, markers, 1);
    EXPECT_EQ(r.header, kFullHeader);
    EXPECT_EQ(r.rule, std::string(101, '-'));
    ASSERT_EQ(r.rows.size(), 7u);
    EXPECT_EQ(r.rows[0].entry, "    2 \x83\x7d\x81\x5b\x83\x4a remark");
    EXPECT_EQ(r.rows[0].markerIndex, 1);
    EXPECT_EQ(r.rows[1].entry, "    3 ");
    for (size_t k = 2; k < r.rows.size(); ++k)
        EXPECT_EQ(r.rows[k].markerIndex, -1);

    EXPECT_EQ(list(source, 0, 100, markers, 3).rows[0].markerIndex, -1);
    auto before = list(source, 0, 100, markers, -1);
    EXPECT_EQ(before.rows[0].markerIndex, -1);
    EXPECT_EQ(before.rows[1].entry, "    1 ");

    auto dumpOnly = list(source, 0, 100, markers, 0, true);
    EXPECT_EQ(dumpOnly.header.size(), 76u);
    EXPECT_EQ(dumpOnly.rule, std::string(74, '-'));
    for (const auto& row : dumpOnly.rows)
        EXPECT_TRUE(row.entry.empty() && row.markerIndex == -1);
}

TEST(DumpList, PageReadsOnlyItsOwnRows) {
    MemorySource source(std::vector<std::uint8_t>(0x10000, 0x41));
    auto r = list(source, 100, 60);
    ASSERT_EQ(r.rows.size(), 60u);
    EXPECT_EQ(r.rows[0].line.substr(0, 9), "00000640 ");
    EXPECT_EQ(r.rows[59].line.substr(0, 9), "000009F0 ");
    EXPECT_EQ(source.bytesRead(), 60u * 16);

    // A reader that hands out little at a time still delivers every row.
    source.limitReads(100);
    EXPECT_EQ(list(source, 0, 5000).rows.size(), 0x10000u / 16 + 1);

    // Past the data: only the address; far past any possible file: nothing at all.
    EXPECT_EQ(list(source, 0x5000, 60).rows[0].line, padded("00050000 "));
    EXPECT_TRUE(list(source, kMaxRow + 1, 60).rows.empty());
    EXPECT_EQ(list(source, kMaxRow, 60).rows[0].line, padded("7FFFFFF0 "));
}

} // namespace
} // namespace byzel

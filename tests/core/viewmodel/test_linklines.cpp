#include "core/viewmodel/linklines.h"

#include <gtest/gtest.h>

namespace byzel {
namespace {

constexpr CellMetrics kMetrics{8, 16, 3};

// Middle of data line k in pixels, and the right end of byte column n's cell.
constexpr std::int64_t lineMiddle(std::int64_t k) {
    return (k + 2) * 16 + 8;
}
constexpr std::int64_t cellEnd(std::int64_t n) {
    return (3 * n + 11) * 8;
}

TEST(LinkLines, ColourIsEachChannelFiftyDarkerNotBelowZero) {
    EXPECT_EQ(linkLineColor(0xB0B0FF), ColorRef{0x7E7ECD});
    EXPECT_EQ(linkLineColor(0x31FF00), ColorRef{0x00CD00});
    EXPECT_EQ(linkLineColor(0x323232), ColorRef{0x000000});
}

TEST(LinkLines, LineRunsFromTheNumberCellToTheFirstByte) {
    // Marker at 0x25 listed on line 3 with top row 1: byte column 5 of data line 1.
    EXPECT_EQ(linkLineGeometry(0x25, 3, 1, kMetrics),
              (LinkLine{76 * 8, lineMiddle(3), cellEnd(5), lineMiddle(1)}));
    // Three bytes before the top row: the row above the list, byte column 13.
    EXPECT_EQ(linkLineGeometry(0x10 * 5 - 3, 0, 5, kMetrics),
              (LinkLine{76 * 8, lineMiddle(0), cellEnd(13), lineMiddle(-1)}));
    // Far down a large file the end lies millions of rows away without overflowing.
    const LinkLine far = linkLineGeometry(0x7FFFFFFF, 0, 0, kMetrics);
    EXPECT_EQ(far.y2, lineMiddle(0x7FFFFFF));
    EXPECT_EQ(far.x2, cellEnd(15));
}

TEST(LinkLines, ClippingKeepsTheLineOnItsCourse) {
    const LinkLine line{0, 0, 100, 1000};
    EXPECT_EQ(clipLinkLine(line, -10, 2000), line);
    EXPECT_EQ(clipLinkLine(line, 100, 500), (LinkLine{10, 100, 50, 500}));
    EXPECT_EQ(clipLinkLine(LinkLine{100, 1000, 0, 0}, 0, 500), (LinkLine{50, 500, 0, 0}));
    EXPECT_FALSE(clipLinkLine(line, 1001, 2000).has_value());
    EXPECT_FALSE(clipLinkLine(LinkLine{0, 5, 10, 5}, 10, 20).has_value());
}

TEST(LinkLines, PageListsOneLinePerEntryAndCutsFarEnds) {
    MarkerTable markers;
    markers.append(0x10, 0x1F, 0xB0B0FF);
    markers.append(0x800000, 0x800001, 0x00FFFF);
    markers.append(0x7FFFFF00, 0x7FFFFF01, 0x00FFFF);
    const LinkLinePage page{.topRow = 0x1000,
                            .visibleRows = 30,
                            .totalRows = 0x8000000,
                            .remarkStart = 0,
                            .metrics = kMetrics};
    const auto lines = linkLinesOnPage(markers, page);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].markerIndex, 0);
    EXPECT_EQ(lines[0].color, ColorRef{0x7E7ECD});
    // The marker far above runs off the top, the one far below off the bottom; both are cut
    // to the band around the page, starting where they always start.
    for (const PageLinkLine& l : lines) {
        EXPECT_EQ(l.line.x1, 76 * 8);
        EXPECT_GE(l.line.y2, -2 * 16);
        EXPECT_LE(l.line.y2, 36 * 16);
    }
    EXPECT_LT(lines[0].line.y2, 0);
    EXPECT_GT(lines[2].line.y2, 32 * 16);

    // A short file lists entries only on the lines it has rows for.
    LinkLinePage shortFile = page;
    shortFile.topRow = 0;
    shortFile.totalRows = 2;
    EXPECT_EQ(linkLinesOnPage(markers, shortFile).size(), 2u);
    // Entries start at the remark column start; a start past the table lists nothing.
    shortFile.remarkStart = 1;
    const auto one = linkLineOfMarker(markers, shortFile, 1);
    ASSERT_TRUE(one.has_value());
    EXPECT_EQ(one->line.y1, lineMiddle(0));
    EXPECT_FALSE(linkLineOfMarker(markers, shortFile, 0).has_value());
    shortFile.remarkStart = 3;
    EXPECT_TRUE(linkLinesOnPage(markers, shortFile).empty());
}

} // namespace
} // namespace byzel

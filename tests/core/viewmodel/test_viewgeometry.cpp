#include "core/viewmodel/viewgeometry.h"

#include <gtest/gtest.h>

namespace byzel {
namespace {

constexpr CellMetrics kMetrics{8, 16, 3};

TEST(ViewGeometry, ByteCellRectCoversTheTwoDigitsWithHalfACharacterEachSide) {
    // Byte 0x25 on top row 1: data line 1, byte column 5.
    const PixelRect r = ByteCellRect(0x25, kMetrics, 1, 30);
    EXPECT_EQ(r, (PixelRect{(3 * 5 + 9) * 8 - 4, 3 * 16 + 3, (3 * 5 + 12) * 8 - 4, 4 * 16 + 3}));
    // Rows above the top row are not on the page; the row just below the last one still is.
    EXPECT_TRUE(ByteCellRect(0x0F, kMetrics, 1, 30).isEmpty());
    EXPECT_FALSE(ByteCellRect((1 + 30) * 16, kMetrics, 1, 30).isEmpty());
    EXPECT_TRUE(ByteCellRect((1 + 31) * 16, kMetrics, 1, 30).isEmpty());
    // No overflow far down a large file.
    EXPECT_TRUE(ByteCellRect(0x7FFFFFF0, kMetrics, 0, 30).isEmpty());
    EXPECT_FALSE(ByteCellRect(0x7FFFFFFF, kMetrics, 0x7FFFFFF, 30).isEmpty());
}

TEST(ViewGeometry, OffsetAtPointHitsCellsToThePixel) {
    const int h = 24;
    const int left = 9 * 8 - h;
    const int firstLine = 2 * 16;
    EXPECT_EQ(OffsetAtPoint(left, firstLine, kMetrics, h, 10, 0xFFFF), 10 * 16);
    EXPECT_EQ(OffsetAtPoint(left - 1, firstLine, kMetrics, h, 10, 0xFFFF), -1);
    EXPECT_EQ(OffsetAtPoint(left, firstLine - 1, kMetrics, h, 10, 0xFFFF), -1);
    // Third character of a cell (its trailing space) still belongs to it.
    EXPECT_EQ(OffsetAtPoint(left + 3 * 8 - 1, firstLine, kMetrics, h, 0, 0xFFFF), 0);
    EXPECT_EQ(OffsetAtPoint(left + 3 * 8, firstLine, kMetrics, h, 0, 0xFFFF), 1);
    // The right edge is the row's last byte; one pixel beyond is nothing.
    EXPECT_EQ(OffsetAtPoint(57 * 8 - h, firstLine, kMetrics, h, 0, 0xFFFF), 15);
    EXPECT_EQ(OffsetAtPoint(57 * 8 - h + 1, firstLine, kMetrics, h, 0, 0xFFFF), -1);
    // Below the last data row the rows go on; past the last offset nothing is hit.
    EXPECT_EQ(OffsetAtPoint(left, firstLine + 4 * 16, kMetrics, h, 0, 0x4F), 0x40);
    EXPECT_EQ(OffsetAtPoint(left, firstLine + 4 * 16, kMetrics, h, 0, 0x3F), -1);
}

TEST(ViewGeometry, MarkerNumberCellsOfTheRemarkColumn) {
    EXPECT_EQ(MarkerNumberAtPoint(76 * 8, 2 * 16, kMetrics, 0, 30, 0, 3), 0);
    EXPECT_EQ(MarkerNumberAtPoint(81 * 8, 4 * 16 + 15, kMetrics, 0, 30, 0, 3), 2);
    EXPECT_EQ(MarkerNumberAtPoint(81 * 8 + 1, 2 * 16, kMetrics, 0, 30, 0, 3), -1);
    EXPECT_EQ(MarkerNumberAtPoint(76 * 8, 5 * 16, kMetrics, 0, 30, 0, 3), -1);
    EXPECT_EQ(MarkerNumberAtPoint(76 * 8, 2 * 16, kMetrics, 0, 30, 5, 3), -1);
    EXPECT_EQ(MarkerNumberAtPoint(76 * 8 - 40, 2 * 16, kMetrics, 40, 30, 1, 3), 1);
}

TEST(ViewGeometry, ScaledScrollingMapsThumbAndRows) {
    const Offset total = 65536;
    const int visible = 30;
    const Offset range = total - visible;
    EXPECT_EQ(range, 65506);
    EXPECT_EQ(topRowForThumb(32767, true, range, total, visible), 65506);
    EXPECT_EQ(topRowForThumb(16384, true, range, total, visible), 32753);
    EXPECT_EQ(topRowForThumb(0, true, range, total, visible), 0);
    EXPECT_EQ(thumbForTopRow(65506, true, range), 32767);
    EXPECT_EQ(thumbForTopRow(32753, true, range), 16383);
    EXPECT_EQ(thumbForTopRow(1, true, range), 0);
    EXPECT_EQ(thumbForTopRow(77, false, 0), 77);
    EXPECT_EQ(topRowForThumb(77, false, 0, total, visible), 77);
}

TEST(ViewGeometry, TopRowStaysOnTheLastPageAndNeverBelowZero) {
    EXPECT_EQ(clampTopRow(500, 100, 30), 70);
    EXPECT_EQ(clampTopRow(-5, 100, 30), 0);
    // A file smaller than one page.
    EXPECT_EQ(clampTopRow(3, 2, 30), 0);
}

TEST(ViewGeometry, SyncRemarkColumnPicksTheFirstMarkerStartingOnThePage) {
    MarkerTable t;
    t.append(0x10, 0x20, 0);
    t.append(0x500, 0x510, 0);
    EXPECT_EQ(SyncRemarkColumn(t, 0, 20), 0);
    EXPECT_EQ(SyncRemarkColumn(t, 0x40, 20), 1);
    EXPECT_EQ(SyncRemarkColumn(t, 0x60, 20), std::nullopt);
    EXPECT_EQ(SyncRemarkColumn(MarkerTable(), 0, 20), std::nullopt);
}

TEST(ViewGeometry, ContentWidthGrowsWithTheLongestRemark) {
    MarkerTable t;
    EXPECT_EQ(contentWidth(600, kMetrics, t), 600 + 35 * 8);
    t.append(0, 0, 0);
    ASSERT_TRUE(t.setRemark(0, std::string(239, 'x')));
    EXPECT_EQ(contentWidth(600, kMetrics, t), 600 + 248 * 8);
}

TEST(ViewGeometry, RepaintRegionsFollowTheColumnsAndTheScrollPosition) {
    // Header 608 pixels wide, scrolled 20 pixels, client 700 x 500.
    EXPECT_EQ(repaintRect(RepaintRegion::HexArea, kMetrics, 608, 20, 700, 500),
              (PixelRect{8 * 8 - 20, 32, 57 * 8 - 20, 500}));
    EXPECT_EQ(repaintRect(RepaintRegion::DumpPart, kMetrics, 608, 20, 700, 500),
              (PixelRect{0, 0, 8 + 608 - 20, 500}));
    EXPECT_EQ(repaintRect(RepaintRegion::RemarkPart, kMetrics, 608, 20, 700, 500),
              (PixelRect{608 - 20, 0, 700, 500}));
    EXPECT_EQ(repaintRect(RepaintRegion::WholeView, kMetrics, 608, 20, 700, 500),
              (PixelRect{0, 0, 700, 500}));
}

TEST(ViewGeometry, PopupSitsBelowRightOfThePointerAndInsideTheView) {
    auto p = placePopup(0, 0, 100, 32, 800, 600);
    EXPECT_EQ(p.textLeft, 10);
    EXPECT_EQ(p.textTop, 19);
    EXPECT_EQ(p.box.left, 7);
    EXPECT_EQ(p.box.top, 16);
    auto edge = placePopup(790, 590, 100, 32, 800, 600);
    EXPECT_EQ(edge.textLeft + 100, 800);
    EXPECT_EQ(edge.textTop + 32, 600);
    EXPECT_EQ(edge.box.right, 803);
}

} // namespace
} // namespace byzel

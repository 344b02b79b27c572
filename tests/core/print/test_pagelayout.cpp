#include "core/print/pagelayout.h"

#include <gtest/gtest.h>

using namespace byzel;

TEST(PaperNames, TableCodesAndOthers) {
    EXPECT_EQ(paperName(9), "A4ｼｰﾄ, 210x297mm");
    EXPECT_EQ(paperName(1), "Letter, 81/2x11ｲﾝﾁ");
    EXPECT_EQ(paperName(41), "GermanLegalFanfold, 81/2x13ｲﾝﾁ");
    for (int code : {0, -1, 42, 66, 256})
        EXPECT_EQ(paperName(code), "その他") << code;
}

TEST(PaperSize, PhysicalPixelsRoundToMillimetres) {
    // A4 at 600 dpi, as a printer reports it.
    EXPECT_EQ(pixelsToMillimetres(4960, 600), 210);
    EXPECT_EQ(pixelsToMillimetres(7016, 600), 297);
    EXPECT_EQ(paperSizeLabel(210, 297), "210 X 297ﾐﾘ");
    EXPECT_EQ(pixelsToMillimetres(100, 0), 0);
    EXPECT_EQ(millimetresToPixels(25.4, 600), 600);
}

TEST(Margins, TypedValuesAreBroughtIntoTheBoxRange) {
    EXPECT_EQ(clampMargin(70, MarginSide::Left), 50);
    EXPECT_EQ(clampMargin(2, MarginSide::Bottom), 15);
    EXPECT_EQ(clampMargin(2, MarginSide::Top), 3);
    EXPECT_EQ(clampMargin(14, MarginSide::Bottom), 15);
    EXPECT_EQ(clampMargin(14, MarginSide::Right), 14);
}

TEST(FontSizes, UnknownSizeSelectsTheFirstItem) {
    EXPECT_EQ(kPrintFontSizes[static_cast<size_t>(fontSizeIndex(12))], 12);
    EXPECT_EQ(kPrintFontSizes[static_cast<size_t>(fontSizeIndex(36))], 36);
    EXPECT_EQ(fontSizeIndex(13), 0);
}

TEST(PrintRange, SettingValues) {
    EXPECT_EQ(rangeFromSetting(1), ExportRange::WholeFile);
    EXPECT_EQ(rangeFromSetting(2), ExportRange::CurrentPage);
    EXPECT_EQ(rangeFromSetting(3), ExportRange::FollowingPages);
    EXPECT_EQ(rangeFromSetting(0), ExportRange::FollowingPages);
}

TEST(RowsPerPage, HeaderAndRuleTakeTwoLines) {
    EXPECT_EQ(rowsPerPage(520, 10), 50);
    EXPECT_EQ(rowsPerPage(529, 10), 50);
    // A page too small for any row still moves the listing on, and a broken font never
    // divides by zero.
    EXPECT_EQ(rowsPerPage(15, 10), 1);
    EXPECT_EQ(rowsPerPage(500, 0), 1);
}

TEST(PrintOrigin, MarginButNeverInsideTheUnprintableEdge) {
    EXPECT_EQ(printOrigin(10, 600, 50), 236);
    EXPECT_EQ(printOrigin(3, 600, 100), 100);
}

TEST(PlanPages, WholeFileCountsEveryRowFromTheStart) {
    EXPECT_EQ(planPages(ExportRange::WholeFile, 5, 50, 300, 100).pages, 2);
    EXPECT_EQ(planPages(ExportRange::WholeFile, 5, 50, 300, 100).firstRow, 0);
    EXPECT_EQ(planPages(ExportRange::WholeFile, 5, 50, 0, 101).pages, 3);
    EXPECT_EQ(planPages(ExportRange::WholeFile, 5, 50, 0, 1).pages, 1);
}

TEST(PlanPages, CurrentAndFollowingPagesStartAtTheTopRow) {
    const PrintPlan current = planPages(ExportRange::CurrentPage, 5, 50, 200, 10'000);
    EXPECT_EQ(current.firstRow, 200);
    EXPECT_EQ(current.pages, 1);
    // 120 rows left from row 200: three pages of 50, not ten.
    EXPECT_EQ(planPages(ExportRange::FollowingPages, 10, 50, 200, 320).pages, 3);
    EXPECT_EQ(planPages(ExportRange::FollowingPages, 4, 50, 200, 10'000).pages, 4);
    EXPECT_EQ(planPages(ExportRange::FollowingPages, 10, 50, 319, 320).pages, 1);
}

TEST(Preview, PortraitSheetFillsTheHeightAndIsCentred) {
    const PreviewLayout p = layOutPreview(300, 400, 210, 297, 96, 96, {10, 15, 5, 20});
    EXPECT_EQ(p.page, (PageRect{18, 16, 263, 372}));
    // The sheet is 372 pixels for 297 mm, at 96 pixels per inch.
    EXPECT_NEAR(p.scale, 372 / 96.0 * 25.4 / 297, 1e-9);
    const auto px = [&](int mm) { return static_cast<int>(mm * 96 / 25.4 * p.scale); };
    EXPECT_EQ(p.printable.left, 18 + px(5));
    EXPECT_EQ(p.printable.top, 16 + px(10));
    EXPECT_EQ(p.printable.width, 263 - px(5) - px(20));
    EXPECT_EQ(p.printable.height, 372 - px(10) - px(15));
}

TEST(Preview, LandscapeSheetFillsTheWidth) {
    const PreviewLayout p = layOutPreview(400, 300, 297, 210, 96, 96, {10, 15, 5, 20});
    EXPECT_EQ(p.page.left, 16);
    EXPECT_EQ(p.page.width, 372);
    EXPECT_EQ(p.page.height, 372 * 210 / 297);
    EXPECT_EQ(p.page.top, (300 - p.page.height) / 2);
    EXPECT_EQ(layOutPreview(400, 300, 0, 0, 96, 96, {}).page, PageRect{});
}

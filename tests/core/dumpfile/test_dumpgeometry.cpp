#include "core/dumpfile/dumpgeometry.h"

#include <gtest/gtest.h>

namespace byzel {
namespace {

TEST(DumpGeometry, LastOffsetAndRowsFollowTheSize) {
    struct Case {
        std::int64_t size;
        Offset lastOffset;
        std::int32_t rows;
    };
    for (auto c : {Case{0, -1, 1}, Case{1, 0, 1}, Case{15, 14, 1}, Case{16, 15, 2}, Case{32, 31, 3},
                   Case{kMaxDumpFileSize - 1, 0x7FFFFFFE, 0x8000000}}) {
        EXPECT_EQ(lastOffsetFor(c.size), c.lastOffset) << c.size;
        EXPECT_EQ(totalRowsFor(c.size), c.rows) << c.size;
    }
}

TEST(DumpGeometry, VisibleRowsLeaveRoomForHeaderAndMargin) {
    EXPECT_EQ(visibleRowsFor(500, 16), 28); // 490 / 16 = 30, less header and rule
    EXPECT_EQ(visibleRowsFor(58, 16), 1);
    EXPECT_EQ(visibleRowsFor(20, 16), 0);
    EXPECT_EQ(visibleRowsFor(0, 16), 0);
    EXPECT_EQ(visibleRowsFor(500, 0), 0);
}

TEST(DumpGeometry, ScrollRangeScalesPastTheLargestPosition) {
    const std::int32_t visible = 30;
    EXPECT_EQ(verticalScrollRange(visible + 0x7FFF, visible),
              (VerticalScrollRange{0x7FFF, false, 0x7FFF}));
    EXPECT_EQ(verticalScrollRange(visible + 0x8000, visible),
              (VerticalScrollRange{0x7FFF, true, 0x8000}));
    EXPECT_EQ(verticalScrollRange(65536, visible), (VerticalScrollRange{32767, true, 65506}));
    // A file of 16 x (0x7FFF + visible + 1) bytes.
    EXPECT_TRUE(verticalScrollRange(totalRowsFor(16LL * (0x7FFF + visible + 1)), visible).scaled);
    // A file shorter than the view does not scroll.
    EXPECT_EQ(verticalScrollRange(3, visible), (VerticalScrollRange{0, false, 0}));
}

} // namespace
} // namespace byzel

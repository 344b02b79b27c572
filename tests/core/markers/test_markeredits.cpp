#include "core/markers/bulkremarks.h"
#include "core/markers/markernudge.h"
#include "core/markers/remarktext.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace byzel {
namespace {

constexpr Offset kLast = 0xFF;
// "あ" in Shift-JIS.
const std::string kA = "\x82\xA0";

MarkerTable tableOf(std::initializer_list<std::pair<Offset, Offset>> ranges) {
    MarkerTable t;
    for (auto [s, e] : ranges)
        t.append(s, e, 0x0000FF);
    return t;
}

std::pair<Offset, Offset> rangeOf(const MarkerTable& t, int i) {
    return {t[i].start, t[i].end};
}

TEST(MarkerNudge, OneByteMarkerOnlyGrows) {
    MarkerTable t = tableOf({{0x10, 0x10}});
    EXPECT_FALSE(nudgeMarker(t, 0, MarkerNudge::StartLater, kLast));
    EXPECT_FALSE(nudgeMarker(t, 0, MarkerNudge::EndEarlier, kLast));
    EXPECT_TRUE(nudgeMarker(t, 0, MarkerNudge::StartEarlier, kLast));
    EXPECT_TRUE(nudgeMarker(t, 0, MarkerNudge::EndLater, kLast));
    EXPECT_EQ(rangeOf(t, 0), std::make_pair(0x0F, 0x11));
    EXPECT_TRUE(nudgeMarker(t, 0, MarkerNudge::StartLater, kLast));
    EXPECT_TRUE(nudgeMarker(t, 0, MarkerNudge::EndEarlier, kLast));
    EXPECT_EQ(rangeOf(t, 0), std::make_pair(0x10, 0x10));
}

TEST(MarkerNudge, FileEndsAndNeighboursStopGrowth) {
    MarkerTable t = tableOf({{0, 3}, {4, 7}, {10, kLast}});
    EXPECT_FALSE(nudgeMarker(t, 0, MarkerNudge::StartEarlier, kLast));
    EXPECT_FALSE(nudgeMarker(t, 0, MarkerNudge::EndLater, kLast));
    EXPECT_FALSE(nudgeMarker(t, 1, MarkerNudge::StartEarlier, kLast));
    EXPECT_FALSE(nudgeMarker(t, 2, MarkerNudge::EndLater, kLast));
    // One free byte left between markers 2 and 3: taken once, then refused.
    EXPECT_TRUE(nudgeMarker(t, 1, MarkerNudge::EndLater, kLast));
    EXPECT_TRUE(nudgeMarker(t, 2, MarkerNudge::StartEarlier, kLast));
    EXPECT_FALSE(nudgeMarker(t, 1, MarkerNudge::EndLater, kLast));
    EXPECT_FALSE(nudgeMarker(t, 2, MarkerNudge::StartEarlier, kLast));
    EXPECT_EQ(rangeOf(t, 1), std::make_pair(4, 8));
    EXPECT_EQ(rangeOf(t, 2), std::make_pair(9, kLast));
    EXPECT_FALSE(nudgeMarker(t, 3, MarkerNudge::EndLater, kLast));
}

TEST(MarkerNudge, EndsAtTheLargestOffsetStayInPlace) {
    // Ranges a marker file may hold: the neighbours' ends at the largest offset must not wrap
    // round and let a nudge through.
    constexpr Offset kMax = std::numeric_limits<Offset>::max();
    std::vector<MarkerRecord> records(2);
    records[0].start = 0x10, records[0].end = kMax;
    records[1].start = 0x20, records[1].end = kMax;
    MarkerTable t;
    t.assign(records);
    EXPECT_FALSE(nudgeMarker(t, 1, MarkerNudge::StartEarlier, kMax));
    EXPECT_FALSE(nudgeMarker(t, 0, MarkerNudge::EndLater, kMax));
    EXPECT_FALSE(nudgeMarker(t, 1, MarkerNudge::EndLater, kMax));
    EXPECT_EQ(rangeOf(t, 0), std::make_pair(0x10, kMax));
    EXPECT_EQ(rangeOf(t, 1), std::make_pair(0x20, kMax));
}

TEST(BulkRemarks, TextHasOneTaggedLinePerMarker) {
    MarkerTable t;
    for (int i = 0; i < 12; ++i)
        t.append(i * 2, i * 2, 0);
    ASSERT_TRUE(t.setRemark(0, "head"));
    const std::string text = bulkRemarkText(t);
    EXPECT_EQ(text.substr(0, 12), "[0001]head\r\n");
    EXPECT_TRUE(text.ends_with("\r\n[0012]\r\n"));
    EXPECT_EQ(bulkRemarkTag(4999), "[5000]");
}

TEST(BulkRemarks, UnchangedTextStoresNothing) {
    MarkerTable t = tableOf({{0, 0}, {2, 2}});
    ASSERT_TRUE(t.setRemark(1, std::string(239, 'x')));
    const std::vector<std::string> lines{"[0001]", "[0002]" + std::string(239, 'x'), ""};
    const auto result = storeBulkRemarks(t, lines);
    EXPECT_EQ(result.wrongLine, -1);
    EXPECT_FALSE(result.changed);
}

TEST(BulkRemarks, StoresUpToTheFirstWrongTag) {
    MarkerTable t = tableOf({{0, 0}, {2, 2}, {4, 4}, {6, 6}});
    // The second line was deleted: line 1 now carries marker 3's tag.
    const std::vector<std::string> lines{"[0001]one", "[0003]three", "[0004]four"};
    const auto result = storeBulkRemarks(t, lines);
    EXPECT_EQ(result.wrongLine, 1);
    EXPECT_TRUE(result.changed);
    EXPECT_EQ(t[0].remarkText(), "one");
    EXPECT_EQ(t[2].remarkText(), "");

    // A remark with a line break spreads over two lines; the continuation has no tag.
    const std::vector<std::string> broken{"[0001]one", "[0002]first", "second", "[0003]"};
    EXPECT_EQ(storeBulkRemarks(t, broken).wrongLine, 2);
    EXPECT_EQ(t[1].remarkText(), "first");

    // Too few lines, or a line shorter than its tag.
    EXPECT_EQ(storeBulkRemarks(t, std::vector<std::string>{"[0001]one", "[00"}).wrongLine, 1);
    EXPECT_EQ(storeBulkRemarks(t, std::vector<std::string>{"[0001]one"}).wrongLine, 1);
}

TEST(BulkRemarks, OverLongLinesAreCutAtACharacterBoundary) {
    MarkerTable t = tableOf({{0, 0}, {2, 2}});
    std::string doubleBytes;
    for (int i = 0; i < 150; ++i)
        doubleBytes += kA;
    // One single byte first, so byte 238 falls inside a character.
    const std::vector<std::string> lines{"[0001]" + std::string(300, 'x'), "[0002]y" + doubleBytes};
    const auto result = storeBulkRemarks(t, lines);
    EXPECT_EQ(result.wrongLine, -1);
    EXPECT_EQ(t[0].remarkText(), std::string(238, 'x'));
    EXPECT_EQ(t[1].remarkText().size(), 237u);
    EXPECT_EQ(t[1].remarkText().substr(1, 2), kA);
}

TEST(RemarkText, WidgetTextAndRemarkConvertBothWays) {
    EXPECT_EQ(remarkFromUtf8("あ\nb"), kA + "\r\nb");
    EXPECT_EQ(remarkFromUtf8("a\r\nb"), "a\r\nb");
    EXPECT_EQ(remarkToUtf8(kA + "\r\nb"), "あ\nb");
    // Characters Shift-JIS has no code for do not cost the rest of the text.
    EXPECT_EQ(remarkFromUtf8("a😀b"), "a?b");
}

TEST(RemarkText, FittingRemarkCutsBetweenCharacters) {
    std::string text = "x";
    for (int i = 0; i < 130; ++i)
        text += kA;
    EXPECT_EQ(fittingRemark(text).size(), 239u);
    EXPECT_EQ(fittingRemark(text.substr(1)).size(), 238u);
    EXPECT_EQ(fittingRemark("short"), "short");
}

} // namespace
} // namespace byzel

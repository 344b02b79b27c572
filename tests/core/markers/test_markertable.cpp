#include "core/markers/markerpen.h"
#include "core/markers/markertable.h"
#include "core/text/messages.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace byzel {
namespace {

constexpr Offset kLast = 0xFFFF;

MarkerTable tableOf(std::initializer_list<std::pair<Offset, Offset>> ranges) {
    MarkerTable t;
    for (auto [s, e] : ranges)
        t.append(s, e, kDefaultPenColor);
    return t;
}

std::vector<std::pair<Offset, Offset>> rangesOf(const MarkerTable& t) {
    std::vector<std::pair<Offset, Offset>> out;
    for (const auto& r : t.records())
        out.emplace_back(r.start, r.end);
    return out;
}

using Ranges = std::vector<std::pair<Offset, Offset>>;

TEST(MarkerTable, AdjacentMarkersAreAcceptedButOneSharedByteIsRefused) {
    MarkerTable t = tableOf({{0x10, 0x1F}});
    ASSERT_EQ(beginLaying(t, 0x20, kLast, 0xACFFFF), 0);
    stretchLaying(t, 0x20, 0x2F);
    EXPECT_EQ(finishLaying(t), 0);
    EXPECT_EQ(rangesOf(t), (Ranges{{0x10, 0x1F}, {0x20, 0x2F}}));

    // Pressed outside, released so that the range reaches one byte into a marker.
    ASSERT_EQ(beginLaying(t, 0x08, kLast, 0xACFFFF), 0);
    stretchLaying(t, 0x08, 0x10);
    EXPECT_EQ(finishLaying(t), msg::MarkerOverlap);
    EXPECT_EQ(rangesOf(t), (Ranges{{0x10, 0x1F}, {0x20, 0x2F}}));

    // Pressed on a marked byte: nothing is laid.
    EXPECT_EQ(beginLaying(t, 0x1F, kLast, 0xACFFFF), msg::MarkerOverlap);
    EXPECT_EQ(t.count(), 2);
}

TEST(MarkerTable, LayingStretchesBothWaysFromTheAnchorAndTakesThePenColour) {
    MarkerTable t = tableOf({{0x50, 0x60}});
    ASSERT_EQ(beginLaying(t, 0x30, kLast, 0xB0B0FF), 0);
    stretchLaying(t, 0x30, 0x28);
    stretchLaying(t, 0x30, 0x34);
    ASSERT_EQ(finishLaying(t), 0);
    EXPECT_EQ(rangesOf(t), (Ranges{{0x30, 0x34}, {0x50, 0x60}}));
    EXPECT_EQ(t[0].color, 0xB0B0FFu);
    EXPECT_EQ(t[0].remarkText(), "");
    EXPECT_EQ(t[0].colorIndex, 0);
}

TEST(MarkerTable, TheFiveThousandthMarkerIsTheLast) {
    MarkerTable t;
    for (int i = 0; i < MarkerTable::kCapacity - 1; ++i)
        t.append(i * 2, i * 2, 0);
    EXPECT_EQ(beginLaying(t, 20000, 30000, 0), 0);
    EXPECT_EQ(finishLaying(t), 0);
    EXPECT_EQ(t.count(), 5000);
    EXPECT_TRUE(t.full());
    EXPECT_EQ(beginLaying(t, 20002, 30000, 0), msg::MarkerLimit);
    EXPECT_EQ(t.count(), 5000);
}

TEST(MarkerTable, FindAtIgnoresOffsetsPastTheLastOffset) {
    MarkerTable t = tableOf({{0x00, 0x0F}, {0x10, 0x40}});
    EXPECT_EQ(t.findAt(0x0F, 0x1F), 0);
    EXPECT_EQ(t.findAt(0x10, 0x1F), 1);
    EXPECT_EQ(t.findAt(0x1F, 0x1F), 1);
    // The marker reaches past the end of a shorter dump file; its bytes there are not hit.
    EXPECT_EQ(t.findAt(0x20, 0x1F), -1);
    EXPECT_EQ(MarkerTable().findAt(0, 10), -1);
}

TEST(MarkerTable, SortIsStableOnEqualStartsAndPlaceLastGoesAfterThem) {
    MarkerTable t;
    for (auto [s, remark] : std::vector<std::pair<Offset, std::string>>{
             {30, "c"}, {10, "a1"}, {20, "b"}, {10, "a2"}}) {
        int i = t.append(s, s, 0);
        ASSERT_TRUE(t.setRemark(i, remark));
    }
    EXPECT_FALSE(t.isSorted());
    ASSERT_TRUE(t.SortMarkPosition(t.count()));
    std::vector<std::string> order;
    for (const auto& r : t.records())
        order.emplace_back(r.remarkText());
    EXPECT_EQ(order, (std::vector<std::string>{"a1", "a2", "b", "c"}));
    EXPECT_TRUE(t.isSorted());

    t.append(20, 20, 0);
    ASSERT_TRUE(t.setRemark(t.count() - 1, "new"));
    t.placeLast();
    EXPECT_EQ(t[3].remarkText(), "new");
    EXPECT_EQ(t[4].remarkText(), "c");
}

TEST(MarkerTable, IsSortedComparesStarts) {
    EXPECT_TRUE(MarkerTable().isSorted());
    EXPECT_TRUE(tableOf({{5, 9}}).isSorted());
    EXPECT_TRUE(tableOf({{0, 9}, {10, 19}}).isSorted());
    // A later marker that starts earlier but ends later is out of order all the same.
    EXPECT_FALSE(tableOf({{10, 20}, {5, 30}}).isSorted());
}

TEST(MarkerTable, ShiftRangeBoundaries) {
    struct Case {
        const char* what;
        int first, last;
        Offset d;
        bool backward;
        int expected;
    };
    // Markers 0x08-0x09, 0x0C-0x0F, 0x20-0x2F; the file's last offset is 0x35.
    const Case cases[] = {
        {"first marker back by its start", 0, 0, 8, true, 0},
        {"first marker back one byte more", 0, 0, 9, true, msg::MoveBeforeFileStart},
        {"back until adjacent to the previous", 1, 2, 2, true, 0},
        {"back onto the previous", 1, 2, 3, true, msg::MoveOntoPrevious},
        {"forward until adjacent to the next", 0, 1, 0x10, false, 0},
        {"forward onto the next", 0, 1, 0x11, false, msg::MoveOntoNext},
        {"last marker to the last offset", 2, 2, 6, false, 0},
        {"last marker past the last offset", 2, 2, 7, false, msg::MovePastFileEnd},
        {"no run of markers", 2, 1, 1, false, -1},
    };
    for (const auto& c : cases) {
        MarkerTable t = tableOf({{0x08, 0x09}, {0x0C, 0x0F}, {0x20, 0x2F}});
        const Ranges before = rangesOf(t);
        const int result = t.shiftRange(c.first, c.last, c.d, c.backward, 0x35);
        EXPECT_EQ(result, c.expected) << c.what;
        if (result != 0) {
            EXPECT_EQ(rangesOf(t), before) << c.what;
            continue;
        }
        for (int i = 0; i < t.count(); ++i) {
            const bool moved = i >= c.first && i <= c.last;
            const Offset step = moved ? (c.backward ? -c.d : c.d) : 0;
            EXPECT_EQ(t[i].start, before[static_cast<size_t>(i)].first + step) << c.what;
            EXPECT_EQ(t[i].end, before[static_cast<size_t>(i)].second + step) << c.what;
        }
        EXPECT_TRUE(t.isSorted()) << c.what;
        for (int i = 0; i < t.count(); ++i)
            EXPECT_FALSE(t.overlapsOthers(i)) << c.what;
    }
}

TEST(MarkerTable, ShiftRangeNeverWrapsTheRangesOfAForeignTable) {
    // A marker file may hold any ranges: reversed, overlapping, at the ends of the offsets. A
    // move is refused rather than carry one of them round past the largest or smallest offset.
    constexpr Offset kMin = std::numeric_limits<Offset>::min();
    constexpr Offset kMax = std::numeric_limits<Offset>::max();
    std::vector<MarkerRecord> records(3);
    records[0].start = 0x10, records[0].end = kMax; // under the rest, to the largest offset
    records[1].start = 0x20, records[1].end = 0x21;
    records[2].start = kMax - 4, records[2].end = kMin; // reversed across the whole range
    for (bool backward : {false, true})
        for (int first = 0; first < 3; ++first)
            for (int last = first; last < 3; ++last) {
                MarkerTable t;
                t.assign(records);
                const int result = t.shiftRange(first, last, 5, backward, kLast);
                if (result == 0)
                    for (int i = first; i <= last; ++i) {
                        const std::int64_t step = backward ? -5 : 5;
                        const auto& before = records[static_cast<size_t>(i)];
                        EXPECT_EQ(t[i].start, std::int64_t{before.start} + step);
                        EXPECT_EQ(t[i].end, std::int64_t{before.end} + step);
                    }
                else
                    EXPECT_EQ(rangesOf(t), rangesOf([&] {
                                  MarkerTable u;
                                  u.assign(records);
                                  return u;
                              }()));
            }
}

TEST(MarkerTable, RemarkOf239BytesIsStoredAnd240IsRefused) {
    MarkerTable t = tableOf({{0, 0}});
    ASSERT_TRUE(t.setRemark(0, std::string(239, 'x')));
    EXPECT_EQ(t[0].remarkText().size(), 239u);
    EXPECT_FALSE(t.setRemark(0, std::string(240, 'y')));
    EXPECT_EQ(t[0].remarkText(), std::string(239, 'x'));
    // A shorter remark leaves nothing of the longer one behind.
    ASSERT_TRUE(t.setRemark(0, "ab"));
    EXPECT_EQ(t[0].remarkText(), "ab");
    EXPECT_EQ(t[0].remark[3], 0);
}

TEST(MarkerTable, RemovalKeepsTheOrderOfTheRest) {
    MarkerTable t = tableOf({{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}});
    t.removeAt(0);
    EXPECT_EQ(rangesOf(t), (Ranges{{1, 1}, {2, 2}, {3, 3}, {4, 4}}));
    const int marked[] = {1, 3, 3, 99};
    t.removeWhere(marked);
    EXPECT_EQ(rangesOf(t), (Ranges{{1, 1}, {3, 3}}));
    t.removeAt(t.count() - 1);
    EXPECT_EQ(rangesOf(t), (Ranges{{1, 1}}));
    t.clear();
    EXPECT_TRUE(t.empty());
}

TEST(MarkerTable, RecolorAllChangesOnlyMarkersOfThatColour) {
    MarkerTable t;
    t.append(0, 0, 0xACFFFF);
    t.append(1, 1, 0xB0B0FF);
    t.append(2, 2, 0xACFFFF);
    t.recolorAll(0xACFFFF, 0x123456);
    EXPECT_EQ(t[0].color, 0x123456u);
    EXPECT_EQ(t[1].color, 0xB0B0FFu);
    EXPECT_EQ(t[2].color, 0x123456u);
}

TEST(MarkerTable, FirstEndingAtOrAfterFindsTheFirstMarkerOnAPage) {
    MarkerTable t = tableOf({{0x10, 0x1F}, {0x40, 0x7FFFFFFE}});
    EXPECT_EQ(t.firstEndingAtOrAfter(0), 0);
    EXPECT_EQ(t.firstEndingAtOrAfter(0x1F), 0);
    EXPECT_EQ(t.firstEndingAtOrAfter(0x20), 1);
    EXPECT_EQ(t.firstEndingAtOrAfter(0x40000000), 1);
    EXPECT_EQ(t.firstEndingAtOrAfter(0x7FFFFFFF), 2);
}

} // namespace
} // namespace byzel

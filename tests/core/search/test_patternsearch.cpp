#include "core/dumpfile/workfolder.h"
#include "core/search/consolenavigation.h"
#include "core/search/patternsearch.h"
#include "core/ui/progress.h"
#include "core/viewmodel/viewstate.h"
#include "core/workflow/work.h"
#include "memorysource.h"
#include "scriptedui.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <random>

namespace byzel {
namespace {

using testing::MemorySource;
using testing::ScriptedUi;
using testing::TempFolder;

using Bytes = std::vector<std::uint8_t>;

// The definition: try every position, one at a time.
std::optional<Offset> findOneByOne(const Bytes& data, const Bytes& pattern, Offset start,
                                   SearchDirection direction) {
    auto matches = [&](std::int64_t i) {
        return i >= 0 &&
               i + static_cast<std::int64_t>(pattern.size()) <=
                   static_cast<std::int64_t>(data.size()) &&
               std::equal(pattern.begin(), pattern.end(), data.begin() + i);
    };
    if (direction == SearchDirection::Down) {
        for (std::int64_t i = std::max(start, 0); i < static_cast<std::int64_t>(data.size()); ++i)
            if (matches(i))
                return static_cast<Offset>(i);
    } else {
        for (std::int64_t i = start; i >= 0; --i)
            if (matches(i))
                return static_cast<Offset>(i);
    }
    return std::nullopt;
}

std::optional<Offset> find(const Bytes& data, const Bytes& pattern, Offset start,
                           SearchDirection direction) {
    return findPattern(std::span<const std::uint8_t>(data), pattern, start, direction, {});
}

TEST(PatternSearch, OverlappingMatchesAndBothEnds) {
    const Bytes aaa{0xAA, 0xAA, 0xAA};
    const Bytes aa{0xAA, 0xAA};
    EXPECT_EQ(find(aaa, aa, 0, SearchDirection::Down), 0);
    EXPECT_EQ(find(aaa, aa, 1, SearchDirection::Down), 1);
    EXPECT_EQ(find(aaa, aa, 2, SearchDirection::Down), std::nullopt);
    // From the last byte upward: the position too close to the end is passed over.
    EXPECT_EQ(find(aaa, aa, 2, SearchDirection::Up), 1);
    EXPECT_EQ(find(aaa, aa, -1, SearchDirection::Up), std::nullopt);
    EXPECT_EQ(find(aaa, Bytes{0xAA, 0xAA, 0xAA, 0xAA}, 0, SearchDirection::Down), std::nullopt);
}

TEST(PatternSearch, EqualsTheOneByOneDefinitionOnRandomData) {
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        Bytes data(random() % 300);
        for (auto& b : data)
            b = static_cast<std::uint8_t>(random() % 3); // few values: many partial matches
        Bytes pattern(1 + random() % 4);
        for (auto& b : pattern)
            b = static_cast<std::uint8_t>(random() % 3);
        const auto start = static_cast<Offset>(random() % 320) - 10;
        for (auto direction : {SearchDirection::Down, SearchDirection::Up}) {
            EXPECT_EQ(find(data, pattern, start, direction),
                      findOneByOne(data, pattern, start, direction));
            MemorySource source(data);
            EXPECT_EQ(findPattern(source, pattern, start, direction, {}),
                      findOneByOne(data, pattern, start, direction));
        }
    }
}

TEST(PatternSearch, RunsOfThePatternsFirstByte) {
    Bytes data(100000, 0);
    data[70000] = 1;
    data[30001] = 1;
    const Bytes pattern{0, 1};
    EXPECT_EQ(find(data, pattern, 0, SearchDirection::Down), 30000);
    EXPECT_EQ(find(data, pattern, 30001, SearchDirection::Down), 69999);
    EXPECT_EQ(find(data, pattern, 99999, SearchDirection::Up), 69999);
    EXPECT_EQ(find(data, pattern, 69998, SearchDirection::Up), 30000);
    EXPECT_EQ(find(data, pattern, 29999, SearchDirection::Up), std::nullopt);
}

TEST(PatternSearch, FindsAPatternAcrossTheWorkPieces) {
    Bytes data((9 << 20), 0);
    const Bytes pattern{1, 2, 3, 4};
    const std::size_t at = (8 << 20) - 2;
    std::copy(pattern.begin(), pattern.end(), data.begin() + static_cast<std::ptrdiff_t>(at));
    EXPECT_EQ(find(data, pattern, 0, SearchDirection::Down), static_cast<Offset>(at));
    EXPECT_EQ(find(data, pattern, static_cast<Offset>(data.size() - 1), SearchDirection::Up),
              static_cast<Offset>(at));
    MemorySource source(data);
    EXPECT_EQ(findPattern(source, pattern, 0, SearchDirection::Down, {}), static_cast<Offset>(at));
}

TEST(PatternSearch, ReaderHandingOutShortReads) {
    const Bytes data{'x', 'x', 'a', 'b', 'x', 'x', 'a', 'b', 'x', 'a'};
    const Bytes pattern{'a', 'b'};
    MemorySource source(data);
    source.limitReads(3);
    EXPECT_EQ(findPattern(source, pattern, 9, SearchDirection::Up, {}), 6);
    EXPECT_EQ(findPattern(source, pattern, 3, SearchDirection::Down, {}), 6);
}

TEST(PatternSearch, CancelledSearchFindsNothing) {
    const ProgressFn progress = [](std::int64_t, std::int64_t) { return false; };
    Bytes data((40 << 20), 0);
    data.back() = 1;
    EXPECT_EQ(findPattern(std::span<const std::uint8_t>(data), Bytes{1}, 0, SearchDirection::Down,
                          progress),
              std::nullopt);
}

class ConsoleNavigationTest : public ::testing::Test {
protected:
    void open(const Bytes& bytes) {
        ASSERT_TRUE(work.dump().open(tmp.write("dump.bin", bytes), ui));
    }
    TempFolder tmp;
    WorkFolder folder{tmp.path()};
    Work work{folder};
    ViewState view;
    ScriptedUi ui;
    PassRunner runner = runPassHere;
};

TEST_F(ConsoleNavigationTest, SearchesOnFromTheHitAndKeepsItWhenNothingMore) {
    open(Bytes{0xAA, 0xAA, 0xAA});
    const Bytes aa{0xAA, 0xAA};
    EXPECT_EQ(SearchPattern(work, view, aa, SearchDirection::Down, runner, ui),
              SearchOutcome::Found);
    EXPECT_EQ(work.searchHit().start, 0);
    EXPECT_EQ(work.searchHit().length, 2);
    EXPECT_EQ(SearchPattern(work, view, aa, SearchDirection::Down, runner, ui),
              SearchOutcome::Found);
    EXPECT_EQ(work.searchHit().start, 1);
    EXPECT_EQ(SearchPattern(work, view, aa, SearchDirection::Up, runner, ui), SearchOutcome::Found);
    EXPECT_EQ(work.searchHit().start, 0);
    EXPECT_TRUE(ui.shown().empty());
    EXPECT_EQ(SearchPattern(work, view, aa, SearchDirection::Up, runner, ui),
              SearchOutcome::NotFound);
    EXPECT_EQ(ui.shownIds(), std::vector<int>{msg::NotFound});
    EXPECT_EQ(work.searchHit().start, 0);
}

TEST_F(ConsoleNavigationTest, UpwardFromTheLastByteWithoutAHit) {
    open(Bytes{1, 2, 1, 2, 9});
    view.referencePoint = 4;
    EXPECT_EQ(SearchPattern(work, view, Bytes{1, 2}, SearchDirection::Up, runner, ui),
              SearchOutcome::Found);
    EXPECT_EQ(work.searchHit().start, 2);
}

TEST_F(ConsoleNavigationTest, CancelledSearchMovesNothing) {
    const PassRunner cancelling = [](const Pass& pass) {
        (void)pass([](std::int64_t, std::int64_t) { return false; });
        return false;
    };
    Bytes data(64 << 20, 0);
    data.back() = 7;
    open(data);
    work.searchHit() = {3, 1};
    view.topRow = 5;
    EXPECT_EQ(SearchPattern(work, view, Bytes{7}, SearchDirection::Down, cancelling, ui),
              SearchOutcome::Cancelled);
    EXPECT_EQ(work.searchHit().start, 3);
    EXPECT_EQ(view.topRow, 5);
    EXPECT_TRUE(ui.shown().empty());
}

TEST_F(ConsoleNavigationTest, HitOffThePageScrollsWithinTheLastPage) {
    open(Bytes(16 * 100, 0));
    view.visibleRows = 10;
    EXPECT_EQ(topRowShowing(5 * 16, 0, 10, 101), 0);
    EXPECT_EQ(topRowShowing(10 * 16, 0, 10, 101), 0); // the byte just after the page counts
    EXPECT_EQ(topRowShowing(10 * 16 + 1, 0, 10, 101), 10);
    EXPECT_EQ(topRowShowing(99 * 16, 0, 10, 101), 91);
    EXPECT_EQ(topRowShowing(16, 50, 10, 101), 1);
    EXPECT_EQ(topRowShowing(16, 0, 200, 101), 0);
}

TEST_F(ConsoleNavigationTest, OffsetsFromTheReferencePoint) {
    open(Bytes(40, 0));
    view.referencePoint = 7;
    EXPECT_TRUE(GotoOffset(work, view, 0, ui));
    EXPECT_EQ(work.searchHit().start, 7);
    EXPECT_EQ(work.searchHit().length, 1);
    EXPECT_TRUE(GotoOffset(work, view, 32, ui));
    EXPECT_EQ(work.searchHit().start, 39);
    EXPECT_FALSE(GotoOffset(work, view, 33, ui));
    EXPECT_FALSE(work.searchHit().exists());
    EXPECT_EQ(ui.shownIds(), std::vector<int>{msg::OffsetPastEnd});
    EXPECT_FALSE(GotoOffset(work, view, std::int64_t{1} << 40, ui));
}

} // namespace
} // namespace byzel

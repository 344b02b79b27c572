#include "core/viewmodel/viewinput.h"

#include <gtest/gtest.h>

namespace byzel {
namespace {

TEST(ViewInput, ScrollRequestsStayWithinTheRows) {
    // 100 rows, 30 shown: the last page starts at row 70.
    auto request = [](ScrollRequest r, Offset top) {
        return topRowForScrollRequest(r, top, 0, false, 0, 100, 30);
    };
    EXPECT_EQ(request(ScrollRequest::LineUp, 0), 0);
    EXPECT_EQ(request(ScrollRequest::LineDown, 69), 70);
    EXPECT_EQ(request(ScrollRequest::LineDown, 70), 70);
    EXPECT_EQ(request(ScrollRequest::PageUp, 20), 0);
    EXPECT_EQ(request(ScrollRequest::PageDown, 50), 70);
    EXPECT_EQ(request(ScrollRequest::Bottom, 3), 70);
    EXPECT_EQ(request(ScrollRequest::Top, 50), 0);
    EXPECT_EQ(topRowForScrollRequest(ScrollRequest::ThumbTrack, 0, 42, false, 0, 100, 30), 42);
}

TEST(ViewInput, FileSmallerThanAPageNeverScrolls) {
    for (auto r : {ScrollRequest::LineDown, ScrollRequest::PageDown, ScrollRequest::Bottom,
                   ScrollRequest::LineUp})
        EXPECT_EQ(topRowForScrollRequest(r, 0, 0, false, 0, 3, 30), 0);
}

TEST(ViewInput, ScaledThumbTrackReachesTheLastPageAndArrowsStepSingleRows) {
    // 65536 rows, 30 shown.
    EXPECT_EQ(topRowForScrollRequest(ScrollRequest::ThumbTrack, 0, 32767, true, 65506, 65536, 30),
              65506);
    EXPECT_EQ(topRowForScrollRequest(ScrollRequest::ThumbTrack, 0, 16384, true, 65506, 65536, 30),
              32753);
    EXPECT_EQ(topRowForScrollRequest(ScrollRequest::LineDown, 32753, 0, true, 65506, 65536, 30),
              32754);
}

TEST(ViewInput, DragScrollCountsWholeLinesTowardZero) {
    // A click-sized move of five pixels is no line; 40 pixels upwards with 16-pixel lines is 2.
    EXPECT_EQ(dragScrolledTopRow(10, -5, 16, 100, 30), 10);
    EXPECT_EQ(dragScrolledTopRow(10, -40, 16, 100, 30), 12);
    EXPECT_EQ(dragScrolledTopRow(10, 40, 16, 100, 30), 8);
    EXPECT_EQ(dragScrolledTopRow(10, -47, 16, 100, 30), 12);
    EXPECT_EQ(dragScrolledTopRow(1, 400, 16, 100, 30), 0);
    EXPECT_EQ(dragScrolledTopRow(60, -400, 16, 100, 30), 70);

    EXPECT_EQ(dragScrolledRemarkStart(2, -40, 16, 10), 4);
    EXPECT_EQ(dragScrolledRemarkStart(2, -400, 16, 10), 9);
    EXPECT_EQ(dragScrolledRemarkStart(2, 400, 16, 10), 0);
    EXPECT_EQ(dragScrolledRemarkStart(0, -40, 16, 0), 0);
}

TEST(ViewInput, WheelStopsAtItsLimits) {
    EXPECT_EQ(wheelScrolled(0, 1, true, 70), std::nullopt);
    EXPECT_EQ(wheelScrolled(70, 1, false, 70), std::nullopt);
    EXPECT_EQ(wheelScrolled(5, 30, true, 70), 0);
    EXPECT_EQ(wheelScrolled(60, 30, false, 70), 70);
    EXPECT_EQ(wheelScrolled(5, 1, false, 70), 6);
}

TEST(ViewInput, ReferencePointStepsAndScrollsOnlyUpAndDown) {
    // Top row 4 (first shown byte 0x40), 10 rows shown: the last shown row starts at 0xD0.
    EXPECT_EQ(StepReferencePoint(StepDirection::Left, 0x40, 4, 10, 0xFFF),
              (ReferenceStep{0x3F, 4}));
    EXPECT_EQ(StepReferencePoint(StepDirection::Left, 0, 0, 10, 0xFFF), std::nullopt);
    EXPECT_EQ(StepReferencePoint(StepDirection::Right, 0xFFF, 0, 10, 0xFFF), std::nullopt);
    EXPECT_EQ(StepReferencePoint(StepDirection::Up, 0x45, 4, 10, 0xFFF), (ReferenceStep{0x35, 3}));
    EXPECT_EQ(StepReferencePoint(StepDirection::Up, 0x55, 4, 10, 0xFFF), (ReferenceStep{0x45, 4}));
    EXPECT_EQ(StepReferencePoint(StepDirection::Up, 0x0F, 0, 10, 0xFFF), std::nullopt);
    EXPECT_EQ(StepReferencePoint(StepDirection::Down, 0xD2, 4, 10, 0xFFF),
              (ReferenceStep{0xE2, 5}));
    EXPECT_EQ(StepReferencePoint(StepDirection::Down, 0xB2, 4, 10, 0xFFF),
              (ReferenceStep{0xC2, 4}));
    EXPECT_EQ(StepReferencePoint(StepDirection::Down, 0xFF0, 0, 10, 0xFFF), std::nullopt);
}

TEST(ViewInput, CtrlArrowsMoveListAndPointTogether) {
    // 0x640 bytes: 101 rows, 30 shown, the last page starts at row 71. Down goes one row past
    // it, then stops.
    EXPECT_EQ(stepWithList(true, 0x500, 71, 101, 30, 0x63F), (ReferenceStep{0x510, 72}));
    EXPECT_EQ(stepWithList(true, 0x510, 72, 101, 30, 0x63F), std::nullopt);
    EXPECT_EQ(stepWithList(true, 0x635, 10, 101, 30, 0x63F), std::nullopt);
    EXPECT_EQ(stepWithList(false, 0x20, 1, 101, 30, 0x63F), (ReferenceStep{0x10, 0}));
    EXPECT_EQ(stepWithList(false, 0x20, 0, 101, 30, 0x63F), std::nullopt);
}

TEST(ViewInput, ValueCheckSelectsUpToSixBytesTowardThePointer) {
    using Slots = std::array<Offset, 6>;
    EXPECT_EQ(valueCheckSelection(0x41, 0x41), (Slots{0x41, -1, -1, -1, -1, -1}));
    EXPECT_EQ(valueCheckSelection(0x41, 0x42), (Slots{0x41, 0x42, -1, -1, -1, -1}));
    EXPECT_EQ(valueCheckSelection(0x41, 0x4B), (Slots{0x41, 0x42, 0x43, 0x44, 0x45, 0x46}));
    EXPECT_EQ(valueCheckSelection(0x41, 0x3F), (Slots{0x41, 0x40, 0x3F, -1, -1, -1}));
}

} // namespace
} // namespace byzel

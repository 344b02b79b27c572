#include "core/viewmodel/statuspanes.h"

#include <gtest/gtest.h>

namespace byzel {
namespace {

TEST(StatusPanes, ReferencePointAsRowColumnAndAddress) {
    auto panes = statusPaneTexts("/w/data.mkg", 0x1234, 12);
    EXPECT_EQ(panes[0], (PaneText{"/w/data.mkg", PaneAlignment::Left}));
    EXPECT_EQ(panes[1], (PaneText{"292行", PaneAlignment::Right}));
    EXPECT_EQ(panes[2], (PaneText{"5列", PaneAlignment::Right}));
    EXPECT_EQ(panes[3], (PaneText{"00001234 (4660)", PaneAlignment::Centre}));
    EXPECT_EQ(panes[4], (PaneText{"12", PaneAlignment::Right}));

    panes = statusPaneTexts("", 0, 0);
    EXPECT_EQ(panes[0].text, "[マーカファイル名未定義]");
    EXPECT_EQ(panes[1].text, "1行");
    EXPECT_EQ(panes[2].text, "1列");
    EXPECT_EQ(panes[3].text, "00000000 (0)");
    EXPECT_EQ(statusPaneTexts("", 0x7FFFFFFE, 0)[3].text, "7FFFFFFE (2147483646)");
}

} // namespace
} // namespace byzel

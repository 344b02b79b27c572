#include "core/search/hexboxrow.h"
#include "core/settings/memorysettings.h"
#include "core/settings/settings.h"
#include "scriptedui.h"

#include <gtest/gtest.h>

namespace byzel {
namespace {

using testing::ScriptedUi;

std::vector<std::string> row(std::initializer_list<std::string> leading, int count) {
    std::vector<std::string> boxes(leading);
    boxes.resize(static_cast<std::size_t>(count));
    return boxes;
}

class HexBoxRowTest : public ::testing::Test {
protected:
    ScriptedUi ui;
    MemorySettingsStore settings;
};

TEST_F(HexBoxRowTest, EmptyBoxEndsTheRowAndLaterBoxesAreStoredEmpty) {
    auto boxes = row({"41", "42", "", "43"}, kSearchRowBoxes);
    const auto r = ReadHexBoxRow(boxes, kSearchRowId, false, ui, settings);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.bytes, (ByteString{0x41, 0x42}));
    EXPECT_EQ(settings.readText(section::Last, "8001"), "42");
    EXPECT_EQ(settings.readText(section::Last, "8003"), "");
    EXPECT_EQ(boxes[3], "43"); // the box still shows it
    EXPECT_EQ(settings.readText(section::Recent, "Search0"), "4142");
}

TEST_F(HexBoxRowTest, SingleDigitAskedAboutAndPaddedOnYes) {
    auto boxes = row({"A"}, kSearchRowBoxes);
    ui.answer(Yes);
    const auto r = ReadHexBoxRow(boxes, kSearchRowId, false, ui, settings);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.bytes, ByteString{0x0A});
    EXPECT_EQ(boxes[0], "0A");
    ASSERT_EQ(ui.shown().size(), 1u);
    EXPECT_EQ(ui.shown()[0].id, msg::AskPadHexDigit);
    EXPECT_EQ(ui.shown()[0].text, "｢A｣ は ｢0A｣と\nみなしてもよろしいですか");
}

TEST_F(HexBoxRowTest, RefusalsNameTheBoxAndStoreNothing) {
    auto declined = row({"41", "A"}, kSearchRowBoxes);
    ui.answer(No);
    auto r = ReadHexBoxRow(declined, kSearchRowId, false, ui, settings);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.focusBox, 1);
    EXPECT_EQ(declined[1], "A");

    auto bad = row({"4G"}, kSearchRowBoxes);
    r = ReadHexBoxRow(bad, kSearchRowId, false, ui, settings);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.focusBox, 0);

    auto tooLong = row({"ABC"}, kSearchRowBoxes);
    r = ReadHexBoxRow(tooLong, kSearchRowId, false, ui, settings);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.focusBox, 0);
    EXPECT_EQ(ui.shownIds(),
              (std::vector<int>{msg::AskPadHexDigit, msg::EnterHex, msg::EnterSearchText}));
    EXPECT_FALSE(settings.isStored(section::Last, "8000"));
    EXPECT_FALSE(settings.isStored(section::Recent, "Search0"));
}

TEST_F(HexBoxRowTest, EmptyReplacementAllowedAndOffsetRowHasNoRecentList) {
    auto empty = row({}, kReplaceRowBoxes);
    auto r = ReadHexBoxRow(empty, kReplaceRowId, true, ui, settings);
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.bytes.empty());
    EXPECT_TRUE(settings.isStored(section::Recent, "Replace0"));

    auto offset = row({"01", "02"}, kOffsetRowBoxes);
    r = ReadHexBoxRow(offset, kOffsetRowId, false, ui, settings);
    EXPECT_EQ(r.bytes, (ByteString{1, 2}));
    EXPECT_EQ(settings.readText(section::Last, "8101"), "02");
    EXPECT_EQ(storedHexRow(settings, kOffsetRowId, 3), (std::vector<std::string>{"01", "02", ""}));
}

TEST_F(HexBoxRowTest, RecentListPutsTheNewestFirstWithoutDuplicates) {
    for (const char* entry : {"41", "42", "43", "41", "41"})
        UpdateRecentPatterns(settings, kSearchRowId, entry);
    EXPECT_EQ(recentPatterns(settings, kSearchRowId),
              (std::vector<std::string>{"41", "43", "42", "", "", "", ""}));
    for (int i = 0; i < 10; ++i)
        UpdateRecentPatterns(settings, kSearchRowId, std::to_string(10 + i));
    EXPECT_EQ(recentPatterns(settings, kSearchRowId).front(), "19");
    EXPECT_EQ(recentPatterns(settings, kSearchRowId).back(), "13");
    EXPECT_EQ(recentPatterns(settings, kReplaceRowId)[0], "");
}

TEST_F(HexBoxRowTest, MenuTextsAndBoxFilling) {
    EXPECT_EQ(recentMenuText("414243"), "414243(ABC)");
    EXPECT_EQ(recentMenuText("410042"), "410042(A)");
    EXPECT_EQ(entryToBoxes("4142", 4), (std::vector<std::string>{"41", "42", "", ""}));
    EXPECT_EQ(textToBoxes("ABCDEFGHIJKLMN", kSearchRowBoxes).back(), "4C");
    EXPECT_EQ(textToBoxes("\x82\xa0", 3), (std::vector<std::string>{"82", "A0", ""}));
}

} // namespace
} // namespace byzel

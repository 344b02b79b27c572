#include "core/search/hextext.h"
#include "scriptedui.h"

#include <gtest/gtest.h>

namespace byzel {
namespace {

using testing::ScriptedUi;

TEST(HexText, DigitCheckTakesCapitalsOnlyAndComplainsOtherwise) {
    ScriptedUi ui;
    EXPECT_TRUE(IsHexDigitText("A", ui));
    EXPECT_TRUE(IsHexDigitText("", ui));
    EXPECT_TRUE(ui.shown().empty());
    for (const char* bad : {"a", "G", "-"})
        EXPECT_FALSE(IsHexDigitText(bad, ui)) << bad;
    EXPECT_EQ(ui.shownIds(), (std::vector<int>{msg::EnterHex, msg::EnterHex, msg::EnterHex}));
}

TEST(HexText, PairsBytesAndText) {
    EXPECT_EQ(HexPairToByte("0A"), 10);
    EXPECT_EQ(HexPairToByte("FF"), 255);
    EXPECT_EQ(HexPairToByte("10"), 16);

    const std::uint8_t bytes[] = {0x00, 0x05, 0x10, 0xFF};
    EXPECT_EQ(BytesToHexText(bytes), "000510ff");
    const std::string text = "ABCDEFGHIJKL";
    EXPECT_EQ(
        BytesToHexText(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()))
            .size(),
        24u);

    EXPECT_EQ(HexTextToString("41420043"), "AB");
    EXPECT_EQ(HexTextToString("414"), "A");
}

TEST(HexText, NumbersInBothByteOrders) {
    const std::uint8_t pair[] = {0x01, 0x02};
    EXPECT_EQ(BytesToNumber(pair, true), 258u);
    EXPECT_EQ(BytesToNumber(pair, false), 513u);
    const std::uint8_t single[] = {0x80};
    EXPECT_EQ(BytesToNumber(single, true), 128u);
    EXPECT_EQ(BytesToNumber(single, false), 128u);
    const std::uint8_t three[] = {0x01, 0x02, 0x03};
    EXPECT_EQ(BytesToNumber(three, true), 0x010203u);
    EXPECT_EQ(BytesToNumber(three, false), 0x030201u);
}

TEST(HexText, OffsetWrittenAsBytes) {
    EXPECT_EQ(offsetBytesText(300, true), "12C");
    EXPECT_EQ(offsetBytesText(300, false), "2C01");
    EXPECT_EQ(offsetBytesText(10, false), "A");
    EXPECT_EQ(offsetBytesText(0, false), "0");
    EXPECT_EQ(offsetBytesText(0x123456, false), "563412");
    EXPECT_EQ(offsetBytesText(0x010000, false), "000001");
}

TEST(HexText, ParsesByteListsWithBlanksBetweenBytes) {
    EXPECT_EQ(parseHexBytes("41 42 ff"), (ByteString{0x41, 0x42, 0xFF}));
    EXPECT_EQ(parseHexBytes("4142"), (ByteString{0x41, 0x42}));
    EXPECT_EQ(parseHexBytes(""), ByteString{});
    EXPECT_FALSE(parseHexBytes("4 142"));
    EXPECT_FALSE(parseHexBytes("41 4"));
    EXPECT_FALSE(parseHexBytes("0x41"));
}

} // namespace
} // namespace byzel

#include "core/viewmodel/valuecheck.h"

#include "core/viewmodel/viewinput.h"
#include "memorysource.h"

#include <gtest/gtest.h>

namespace byzel {
namespace {

testing::MemorySource sourceWith(Offset at, std::vector<std::uint8_t> bytes) {
    std::vector<std::uint8_t> data(0x100, 0);
    std::copy(bytes.begin(), bytes.end(), data.begin() + at);
    return testing::MemorySource(std::move(data));
}

TEST(ValueCheck, TwoBytesGiveBothOrdersAlignedInThePopup) {
    const auto source = sourceWith(0x41, {0x12, 0x34});
    const ValueCheckNumbers n = FormatValueCheck(valueCheckSelection(0x41, 0x42), source);
    EXPECT_EQ(n.bigEndian, "4,660");
    EXPECT_EQ(n.littleEndian, "13,330");
    // Both numbers right-aligned in the longer one's length plus two.
    EXPECT_EQ(n.popupText, "BigEndian      4,660\nLittleEndian  13,330");
}

TEST(ValueCheck, LeftwardSelectionIsReadFromItsLowestOffset) {
    const auto source = sourceWith(0x40, {0x01, 0x02, 0x03});
    // Anchor on the last byte, dragged back to the first: the same bytes, the same numbers.
    const ValueCheckNumbers n = FormatValueCheck(valueCheckSelection(0x42, 0x40), source);
    EXPECT_EQ(n.bigEndian, "66,051");
    EXPECT_EQ(n.littleEndian, "197,121");
}

TEST(ValueCheck, SixBytesAreExactAndAOneByteSelectionIsItsValue) {
    const auto source = sourceWith(0x10, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    const ValueCheckNumbers six = FormatValueCheck(valueCheckSelection(0x10, 0x30), source);
    EXPECT_EQ(six.bigEndian, "281,474,976,710,655");
    EXPECT_EQ(six.littleEndian, "281,474,976,710,655");
    EXPECT_EQ(six.popupText,
              "BigEndian     281,474,976,710,655\nLittleEndian  281,474,976,710,655");

    const std::uint8_t mixed[6] = {0x01, 0x00, 0x00, 0x00, 0x00, 0x80};
    const EndianValues v = endianValues(mixed, 6);
    EXPECT_EQ(v.big, 0x010000000080u);
    EXPECT_EQ(v.little, 0x800000000001u);

    const ValueCheckNumbers one = FormatValueCheck(valueCheckSelection(0x10, 0x10), source);
    EXPECT_EQ(one.popupText, "BigEndian     255\nLittleEndian  255");
}

TEST(ValueCheck, EmptyOrUnreadableSelectionGivesNothing) {
    const auto source = sourceWith(0xFF, {0xAB});
    EXPECT_TRUE(FormatValueCheck({-1, -1, -1, -1, -1, -1}, source).empty());
    // Past the end of the data nothing arrives: no numbers rather than zeros.
    EXPECT_TRUE(FormatValueCheck({0x200, 0x201, -1, -1, -1, -1}, source).empty());
    // A run reaching past the end counts the bytes that are there.
    const ValueCheckNumbers tail = FormatValueCheck({0xFF, 0x100, -1, -1, -1, -1}, source);
    EXPECT_EQ(tail.bigEndian, "171");
}

} // namespace
} // namespace byzel

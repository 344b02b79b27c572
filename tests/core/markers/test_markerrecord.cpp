#include "core/markers/markerrecord.h"

#include <gtest/gtest.h>

#include <cstring>

namespace byzel {
namespace {

TEST(MarkerRecord, ImageIsLittleEndianWithTheFieldsInFileOrder) {
    MarkerRecord r;
    r.start = 0x01020304;
    r.end = -2;
    r.colorIndex = 0x0503;
    std::memcpy(r.remark.data(), "ab", 3);
    r.color = 0x00B0B0FF;
    const auto image = r.encode();
    ASSERT_EQ(image.size(), 268u);
    EXPECT_EQ(image[0], 0x04);
    EXPECT_EQ(image[3], 0x01);
    EXPECT_EQ(image[4], 0xFE);
    EXPECT_EQ(image[7], 0xFF);
    EXPECT_EQ(image[8], 0x03);
    EXPECT_EQ(image[9], 0x05);
    EXPECT_EQ(image[10], 'a');
    EXPECT_EQ(image[12], 0);
    EXPECT_EQ(image[264], 0xFF);
    EXPECT_EQ(image[266], 0xB0);
    EXPECT_EQ(image[267], 0x00);
    EXPECT_EQ(MarkerRecord::decode(image), r);
}

TEST(MarkerRecord, RemarkTextStopsAtTheTerminatorOrTheFieldEnd) {
    MarkerRecord r;
    std::memcpy(r.remark.data(), "abc\0garbage", 11);
    EXPECT_EQ(r.remarkText(), "abc");
    r.remark.fill('x');
    EXPECT_EQ(r.remarkText().size(), 254u);
}

TEST(MarkerRecord, StandardColoursByIndex) {
    EXPECT_EQ(standardColor(1), 0xACFFFFu);
    EXPECT_EQ(standardColor(3), 0xB0B0FFu);
    EXPECT_EQ(standardColor(8), 0xD8D8D8u);
    EXPECT_FALSE(isStandardColorIndex(0));
    EXPECT_FALSE(isStandardColorIndex(9));
}

} // namespace
} // namespace byzel

#include "core/text/thousands.h"

#include <gtest/gtest.h>

namespace byzel {
namespace {

TEST(GroupThousands, GroupsByThreeFromTheRight) {
    EXPECT_EQ(groupThousands(""), "");
    EXPECT_EQ(groupThousands("999"), "999");
    EXPECT_EQ(groupThousands("1000"), "1,000");
    EXPECT_EQ(groupThousands("1234567"), "1,234,567");
    EXPECT_EQ(groupThousands("123456789012"), "123,456,789,012");
    EXPECT_EQ(groupThousands("281474976710655"), "281,474,976,710,655");
    EXPECT_EQ(groupThousands(std::string(24, '9')), "999,999,999,999,999,999,999,999");
    EXPECT_EQ(groupThousands(std::string(25, '1')), std::string(25, '1'));
}

} // namespace
} // namespace byzel

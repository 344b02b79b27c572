#include "core/text/sjis.h"

#include <gtest/gtest.h>

namespace byzel {
namespace {

TEST(ShiftJis, RoundTripsJapaneseText) {
    const std::string sjis = "\x83\x7d\x81\x5b\x83\x4a ABC"; // マーカ ABC
    EXPECT_EQ(cp932ToUtf8(sjis), "マーカ ABC");
    EXPECT_EQ(utf8ToCp932("マーカ ABC"), sjis);
    // Windows-only forms of code page 932 (～, NEC special characters) survive too.
    auto wave = utf8ToCp932("～①");
    ASSERT_TRUE(wave);
    EXPECT_EQ(cp932ToUtf8(*wave), "～①");
}

TEST(ShiftJis, InvalidBytesBecomeReplacementCharactersAndUnencodableTextIsRefused) {
    EXPECT_EQ(cp932ToUtf8("a\x82"), "a\xEF\xBF\xBD");
    EXPECT_EQ(cp932ToUtf8("\xA0z"), "\xEF\xBF\xBDz");
    EXPECT_FALSE(utf8ToCp932("한국어"));
    EXPECT_FALSE(utf8ToCp932("\xFF"));
}

TEST(ShiftJis, PrefixNeverEndsInsideADoubleByteCharacter) {
    const std::string text = "a\x82\xa0"
                             "b"; // a あ b
    EXPECT_EQ(sjisPrefix(text, 4), text);
    EXPECT_EQ(sjisPrefix(text, 3), "a\x82\xa0");
    EXPECT_EQ(sjisPrefix(text, 2), "a");
    EXPECT_EQ(sjisPrefix(text, 0), "");
    // A lone lead byte at the very end is not a character either.
    EXPECT_EQ(sjisPrefix("ab\x82", 10), "ab");
    // Half-width katakana are single bytes.
    EXPECT_EQ(sjisPrefix("\xb1\xb2\xb3", 2), "\xb1\xb2");
}

} // namespace
} // namespace byzel

#include "core/text/argumenttext.h"

#include <gtest/gtest.h>

namespace byzel {
namespace {

TEST(ArgumentText, AnyBytesComeBackExactly) {
    const std::string samples[] = {
        "\x83\x66\x81\x5B\x83\x5E.bin",           // Shift-JIS データ.bin, not UTF-8
        "report\" (copy).bin",                    // quote and blanks
        "\xE3\x83\x87\xF0\x9F\x98\x80/x",         // UTF-8 of three and four bytes
        "\xC0\xAF \xED\xA0\x80 \xF4\x90\x80\x80", // overlong, encoded surrogate, past U+10FFFF
        "cut short \xE3\x83",
        "\xFF\xFE\x80",
    };
    for (const auto& bytes : samples)
        EXPECT_EQ(argumentBytes(argumentText(bytes)), bytes) << bytes;
}

TEST(ArgumentText, UnicodeReadsAsItsCharactersAndOnlyStrayBytesAreEscaped) {
    EXPECT_EQ(argumentText("--top"), u"--top");
    EXPECT_EQ(argumentText("\xE3\x83\x87\xF0\x9F\x98\x80"), u"デ\U0001F600");
    EXPECT_EQ(argumentText("a\x83"
                           "b"),
              std::u16string(u"a\xDC83"
                             "b"));
    // A lone surrogate that did not come from an argument is no byte.
    EXPECT_EQ(argumentBytes(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");
}

} // namespace
} // namespace byzel

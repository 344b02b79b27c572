#include "core/settings/fontnamelist.h"

#include <gtest/gtest.h>

namespace byzel {
namespace {

TEST(FontNameList, KeepsEachFaceOnceAndLeavesOutSpecialFaces) {
    const std::vector<std::string> reported = {
        "IPAGothic", "@IPAGothic",    "%Sym",           "$Dollar",   "&Amp",
        "IPAGothic", "ＭＳ ゴシック", "@ＭＳ ゴシック", "ipagothic", "ＭＳ ゴシック"};
    EXPECT_EQ(selectableFontNames(reported),
              (std::vector<std::string>{"IPAGothic", "ＭＳ ゴシック", "ipagothic"}));
}

TEST(FontNameList, NamesOfAHundredShiftJisBytesAreDropped) {
    const std::string ascii99(99, 'a');
    const std::string ascii100(100, 'b');
    std::string kana49; // 98 bytes in Shift-JIS, 147 in UTF-8
    std::string kana50;
    for (int i = 0; i < 49; ++i)
        kana49 += "ア";
    kana50 = kana49 + "ア";
    EXPECT_EQ(selectableFontNames({ascii99, ascii100, kana49, kana50}),
              (std::vector<std::string>{ascii99, kana49}));
}

TEST(FontNameList, StopsAtAThousandNames) {
    std::vector<std::string> reported;
    for (int i = 0; i < 1200; ++i)
        reported.push_back("Face" + std::to_string(i));
    const auto names = selectableFontNames(reported);
    ASSERT_EQ(names.size(), kMaxFontNames);
    EXPECT_EQ(names.back(), "Face999");
}

} // namespace
} // namespace byzel

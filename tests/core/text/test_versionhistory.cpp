#include "core/text/versionhistory.h"

#include <gtest/gtest.h>

namespace byzel {
namespace {

TEST(VersionHistory, NewestFirstEachLineEndedByCrLf) {
    const std::string text = versionHistoryText();
    EXPECT_EQ(text.rfind("Ver. 1.09 2022.11.12 Windows 11対応\r\n", 0), 0u);
    const std::string last = "Ver. 1.00 2010.06.26 新規作成\r\n";
    ASSERT_GE(text.size(), last.size());
    EXPECT_EQ(text.substr(text.size() - last.size()), last);
    std::size_t lines = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos;
         at = text.find("\r\n", at + 2))
        ++lines;
    EXPECT_EQ(lines, 10u);
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);
}

} // namespace
} // namespace byzel

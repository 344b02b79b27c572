#include "core/workflow/documentinfo.h"

#include <gtest/gtest.h>

namespace byzel {
namespace {

TEST(DocumentInfo, DumpSizeIsGroupedInThousands) {
    EXPECT_EQ(dumpSizeText(1048576), "1,048,576 bytes");
    EXPECT_EQ(dumpSizeText(999), "999 bytes");
    EXPECT_EQ(dumpSizeText(0), "0 bytes");
}

} // namespace
} // namespace byzel

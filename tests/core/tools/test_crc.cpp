#include "core/text/messages.h"
#include "core/tools/crc32.h"
#include "core/tools/crcreport.h"
#include "memorysource.h"
#include "scriptedui.h"

#include <gtest/gtest.h>

#include <numeric>

namespace byzel {
namespace {

using testing::MemorySource;

std::uint32_t crcOf(std::string_view text) {
    return Crc32(0, text.size(), reinterpret_cast<const std::uint8_t*>(text.data()));
}

TEST(Crc32, CheckValueAndContinuation) {
    EXPECT_EQ(crcOf("123456789"), 0xCBF43926u);
    EXPECT_EQ(crcOf(""), 0u);
    EXPECT_EQ(crcOf("a"), 0xE8B7BE43u);
    // Feeding a result back in continues the checksum over further bytes.
    const std::string_view digits = "123456789";
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(digits.data());
    EXPECT_EQ(Crc32(Crc32(0, 4, bytes), 5, bytes + 4), 0xCBF43926u);
}

TEST(CrcReport, RangeIsReadWholeInBlocksAndAcrossShortReads) {
    std::vector<std::uint8_t> data(3 * kPassBlockSize + 17);
    std::iota(data.begin(), data.end(), std::uint8_t{0});
    MemorySource source(data);
    source.limitReads(kPassBlockSize / 3);
    const Offset last = static_cast<Offset>(data.size() - 1);
    // A range ending at the last byte of the data is read to its end.
    EXPECT_EQ(crcOfRange(source, 5, last), Crc32(0, data.size() - 5, data.data() + 5));
    EXPECT_EQ(crcOfRange(source, 7, 7), Crc32(0, 1, data.data() + 7));
    // Past the end of the data fewer bytes arrive: no value at all.
    EXPECT_EQ(crcOfRange(source, 5, last + 1), std::nullopt);
}

TEST(CrcReport, RefusesRangesThatDoNotRunForward) {
    EXPECT_TRUE(crcRangeValid(3, 3));
    EXPECT_FALSE(crcRangeValid(4, 3));
    EXPECT_FALSE(crcRangeValid(0, -1));
    MemorySource source(std::string_view("123456789"));
    EXPECT_EQ(crcOfRange(source, 4, 3), std::nullopt);
}

TEST(CrcReport, StopsWhenProgressSaysSo) {
    MemorySource source(std::vector<std::uint8_t>(2 * kPassBlockSize + 1));
    int reports = 0;
    EXPECT_EQ(crcOfRange(source, 0, 2 * kPassBlockSize,
                         [&](std::int64_t, std::int64_t) { return ++reports < 2; }),
              std::nullopt);
    EXPECT_EQ(reports, 2);
}

TEST(CrcReport, ReportTextShowsEightDigitAddressesAndPairs) {
    MemorySource source(std::string_view("..........123456789"));
    const auto crc = crcOfRange(source, 10, 18);
    ASSERT_TRUE(crc);
    EXPECT_EQ(crcReportText(10, 18, *crc), "Address:\t0000000A - 00000012\nCRC:\tCB F4 39 26\n");
    EXPECT_EQ(groupedCrc(0x0000A0FF), "00 00 A0 FF");

    testing::ScriptedUi ui;
    showCrcReport(ui, 0, 0, 0xCBF43926);
    ASSERT_EQ(ui.shown().size(), 1u);
    EXPECT_EQ(ui.shown()[0].id, msg::CrcReport);
    EXPECT_EQ(ui.shown()[0].style, BoxStyle::Information);
    EXPECT_EQ(ui.shown()[0].text, "Address:\t00000000 - 00000000\nCRC:\tCB F4 39 26\n"
                                  "--------------------------\nCRC値は、以上のとおりです");
}

} // namespace
} // namespace byzel

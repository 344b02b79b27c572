#include "clirun.h"
#include "tempfolder.h"

#include <gtest/gtest.h>


namespace byzel::cli {
namespace {

using byzel::testing::TempFolder;
using Bytes = std::vector<std::uint8_t>;

using byzel::testing::CliRun;
using byzel::testing::runCli;

TEST(CliSearch, FirstAllAndUpwardHits) {
    TempFolder dir;
    const std::string file = dir.write("a.bin", Bytes{0xAA, 0xAA, 0xAA, 0x41, 0x42});
    EXPECT_EQ(runCli(dir, "search " + file + " \"AA AA\"").out, "0\n");
    EXPECT_EQ(runCli(dir, "search " + file + " \"AA AA\" --all").out, "0\n1\n");
    EXPECT_EQ(runCli(dir, "search " + file + " aaaa --from 0x2").status, 1);
    EXPECT_EQ(runCli(dir, "search " + file + " aaaa --from 4 --up").out, "1\n");
    const CliRun none = runCli(dir, "search " + file + " 4142 --up --from 2");
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(runCli(dir, "search " + file + " 4").status, 2);
    EXPECT_EQ(runCli(dir, "search " + file + " 01020304050607080910111213").status, 2);
}

TEST(CliReplace, AllAndAtRewriteTheFileAfterABackup) {
    TempFolder dir;
    const std::string file = dir.write("a.bin", Bytes{0xAA, 0xAA, 0xAA, 7});
    CliRun r = runCli(dir, "replace " + file + " \"AA AA\" BB --all");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "1\n");
    EXPECT_EQ(TempFolder::read(file), (Bytes{0xBB, 0xAA, 7}));
    EXPECT_EQ(TempFolder::read(dir.path("a_Back.bin")), (Bytes{0xAA, 0xAA, 0xAA, 7}));

    r = runCli(dir, "replace " + file + " AA \"\" --at 1");
    EXPECT_EQ(r.out, "1\n");
    EXPECT_EQ(TempFolder::read(file), (Bytes{0xBB, 7}));

    r = runCli(dir, "replace " + file + " AA 01 --at 0");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "0\n");
    EXPECT_NE(r.err.find("検索結果と検索文字列が異なっているため処理できません"),
              std::string::npos);
    EXPECT_EQ(runCli(dir, "replace " + file + " AA 01").status, 2);
    EXPECT_EQ(TempFolder::read(file), (Bytes{0xBB, 7}));
}

} // namespace
} // namespace byzel::cli

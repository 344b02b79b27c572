#include "core/dumpfile/replacingfile.h"

#include "core/dumpfile/filecopy.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace byzel {
namespace {

using testing::TempFolder;
namespace fs = std::filesystem;

std::string text(const std::string& path) {
    const auto bytes = TempFolder::read(path);
    return {bytes.begin(), bytes.end()};
}

TEST(ReplacingFile, TheTargetChangesOnlyOnCommit) {
    TempFolder tmp;
    const std::string target = tmp.write("out.txt", "earlier");
    {
        ReplacingFile file;
        ASSERT_TRUE(file.open(target));
        ASSERT_TRUE(writeAll(file.fd(), "new", 3));
        EXPECT_EQ(text(target), "earlier");
    }
    // Never committed: the earlier file is whole and nothing else is left.
    EXPECT_EQ(text(target), "earlier");
    EXPECT_EQ(tmp.entries(), std::vector<std::string>{"out.txt"});

    ReplacingFile file;
    ASSERT_TRUE(file.open(target));
    ASSERT_TRUE(writeAll(file.fd(), "new", 3));
    ASSERT_TRUE(file.commit());
    EXPECT_EQ(text(target), "new");
    EXPECT_EQ(tmp.entries(), std::vector<std::string>{"out.txt"});
}

TEST(ReplacingFile, FoldersAreRefusedAndDevicesWrittenInPlace) {
    TempFolder tmp;
    ReplacingFile file;
    EXPECT_FALSE(file.open(tmp.path()));
    EXPECT_TRUE(tmp.entries().empty());

    ASSERT_TRUE(file.open("/dev/null"));
    ASSERT_TRUE(writeAll(file.fd(), "x", 1));
    ASSERT_TRUE(file.commit());
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

TEST(ReplacingFile, NameTakenCountsALinkLeadingNowhere) {
    TempFolder tmp;
    EXPECT_FALSE(nameTaken(tmp.path("link")));
    fs::create_symlink(tmp.path("nowhere"), tmp.path("link"));
    EXPECT_TRUE(nameTaken(tmp.path("link")));
}

} // namespace
} // namespace byzel

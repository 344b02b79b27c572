#include "core/dumpfile/workfolder.h"

#include "tempfolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace byzel {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

TEST(WorkFolder, EachInstanceHasItsOwnPrivateFolderRemovedWithIt) {
    TempFolder root;
    std::string first, second;
    {
        WorkFolder a(root.path());
        WorkFolder b(root.path());
        EXPECT_TRUE(a.folder().empty()) << "made only on first use";
        first = a.filePath(kWorkingCopyName);
        second = b.filePath(kWorkingCopyName);
        ASSERT_FALSE(first.empty());
        EXPECT_NE(first, second);
        EXPECT_EQ(fs::path(first).filename(), "Byzel.tmp");
        EXPECT_NE(fs::path(a.folder()).filename().string().find("Byzel"), std::string::npos);
        struct stat st;
        ASSERT_EQ(::stat(a.folder().c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u);
        TempFolder::writeFile(first, "copy");
    }
    EXPECT_FALSE(fs::exists(fs::path(first).parent_path()));
    EXPECT_FALSE(fs::exists(fs::path(second).parent_path()));
}

TEST(WorkFolder, FolderTakenAwayDuringTheRunIsMadeAgain) {
    TempFolder root;
    WorkFolder work(root.path());
    fs::remove_all(fs::path(work.filePath(kWorkingCopyName)).parent_path());
    std::string again = work.filePath(kWorkingCopyName);
    ASSERT_FALSE(again.empty());
    EXPECT_TRUE(fs::is_directory(fs::path(again).parent_path()));
}

TEST(WorkFolder, UnusableTemporaryFolderGivesEmptyPaths) {
    TempFolder root;
    // Nothing can be made under a regular file, not even by root.
    WorkFolder work(root.write("plain", "x") + "/sub");
    EXPECT_EQ(work.filePath(kWorkingCopyName), "");
    work.removeWorkFiles();
}

TEST(WorkFolder, RemoveWorkFilesDeletesOnlyItsOwnFiles) {
    TempFolder root;
    WorkFolder work(root.path());
    TempFolder::writeFile(work.filePath(kWorkingCopyName), "a");
    TempFolder::writeFile(work.filePath(kScratchFileName), "b");
    TempFolder::writeFile(work.filePath("other"), "c");
    work.removeWorkFiles();
    work.removeWorkFiles();
    EXPECT_FALSE(fs::exists(work.filePath(kWorkingCopyName)));
    EXPECT_FALSE(fs::exists(work.filePath(kScratchFileName)));
    EXPECT_TRUE(fs::exists(work.filePath("other")));
}

} // namespace
} // namespace byzel

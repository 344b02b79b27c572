#include "core/dumpfile/workfolder.h"

#include "tempfolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

// A folder as a killed program leaves it: named like ours, with a lock file nobody holds.
std::string leftBehindFolder(const TempFolder& root, const std::string& name) {
    const std::string folder = root.path(name);
    fs::create_directory(folder);
    TempFolder::writeFile(folder + "/" + std::string(kLockFileName), "");
    TempFolder::writeFile(folder + "/" + std::string(kWorkingCopyName), "copy");
    return folder;
}

TEST(WorkFolder, StartReclaimsOnlyFoldersNobodyHolds) {
    TempFolder root;
    WorkFolder running(root.path());
    const std::string runningFolder =
        fs::path(running.filePath(kWorkingCopyName)).parent_path().string();
    const std::string stale = leftBehindFolder(root, "Byzel-a1B2c3");
    // Not ours to judge: other names, and a folder without a lock file (one being made, or
    // left by an older program).
    const std::string otherName = leftBehindFolder(root, "Byzel-a1B2c3-keep");
    const std::string shortName = leftBehindFolder(root, "Byzel-abc");
    const std::string unlocked = root.path("Byzel-Zz9Yy8");
    fs::create_directory(unlocked);

    EXPECT_EQ(reclaimStaleWorkFolders(root.path()), 1);
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(runningFolder + "/" + std::string(kLockFileName)));
    EXPECT_TRUE(fs::exists(otherName));
    EXPECT_TRUE(fs::exists(shortName));
    EXPECT_TRUE(fs::exists(unlocked));
}

TEST(WorkFolder, FolderOfAnotherRunningProgramIsKept) {
    TempFolder root;
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        WorkFolder owner(root.path());
        const bool made = !owner.filePath(kWorkingCopyName).empty();
        [[maybe_unused]] auto n = ::write(ready[1], &made, 1);
        ::pause();
        ::_exit(0);
    }
    bool made = false;
    ASSERT_EQ(::read(ready[0], &made, 1), 1);
    ASSERT_TRUE(made);
    EXPECT_EQ(reclaimStaleWorkFolders(root.path()), 0);
    EXPECT_EQ(root.entries().size(), 1u);

    // Killed outright: its folder stays behind, and now nobody holds its lock.
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);
    ASSERT_EQ(root.entries().size(), 1u);
    EXPECT_EQ(reclaimStaleWorkFolders(root.path()), 1);
    EXPECT_TRUE(root.entries().empty());
}

TEST(WorkFolder, FolderMadeAgainIsLockedAgain) {
    TempFolder root;
    WorkFolder work(root.path());
    fs::remove_all(fs::path(work.filePath(kWorkingCopyName)).parent_path());
    ASSERT_FALSE(work.filePath(kWorkingCopyName).empty());
    EXPECT_EQ(reclaimStaleWorkFolders(root.path()), 0);
    work.remove();
    EXPECT_TRUE(root.entries().empty());
}

} // namespace
} // namespace byzel

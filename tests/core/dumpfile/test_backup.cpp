#include "core/dumpfile/backup.h"

#include "tempfolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace byzel {
namespace {

using testing::TempFolder;

TEST(Backup, NameGetsBackBeforeTheLastDotOfTheFileName) {
    EXPECT_EQ(backupPathFor("/w/data.bin"), "/w/data_Back.bin");
    EXPECT_EQ(backupPathFor("/w/archive.tar.gz"), "/w/archive.tar_Back.gz");
    EXPECT_EQ(backupPathFor("/w/README"), "/w/README_Back");
    EXPECT_EQ(backupPathFor("/w.d/README"), "/w.d/README_Back");
    EXPECT_EQ(backupPathFor("C:\\w\\data.bin"), "C:\\w\\data_Back.bin");
    EXPECT_EQ(backupPathFor("data.bin"), "");
}

TEST(Backup, CopyReplacesAnOlderBackupAndLeavesNothingElse) {
    TempFolder folder;
    const std::string path = folder.write("data.bin", "new contents");
    folder.write("data_Back.bin", "old");
    ASSERT_TRUE(backupDumpFile(path));
    EXPECT_EQ(TempFolder::read(folder.path("data_Back.bin")), TempFolder::read(path));
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"data.bin", "data_Back.bin"}));
    EXPECT_FALSE(backupDumpFile(folder.path("missing.bin")));
    EXPECT_FALSE(backupDumpFile("data.bin"));
}

TEST(Backup, BeforeReplacingTheBackupIsASecondNameOfTheData) {
    TempFolder folder;
    const std::string path = folder.write("data.bin", "contents");
    folder.write("data_Back.bin", "old");
    ASSERT_TRUE(backupBeforeReplacing(path));
    struct stat dump, backup;
    ASSERT_EQ(::stat(path.c_str(), &dump), 0);
    ASSERT_EQ(::stat(folder.path("data_Back.bin").c_str(), &backup), 0);
    EXPECT_EQ(backup.st_ino, dump.st_ino);
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"data.bin", "data_Back.bin"}));
    EXPECT_FALSE(backupBeforeReplacing(folder.path("missing.bin")));
}

TEST(Backup, ReadOnlyIsLiftedAndPutBack) {
    TempFolder folder;
    const std::string path = folder.write("data.bin", "x");
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    const FileAttributes before = makeWritable(path);
    EXPECT_EQ(before, (FileAttributes{true, false}));
    struct stat st;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);
    restoreAttributes(path, before);
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0444u);

    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    EXPECT_EQ(makeWritable(path), (FileAttributes{false, false}));
    restoreAttributes(path, {});
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(makeWritable(folder.path("missing")), (FileAttributes{false, false}));
}

} // namespace
} // namespace byzel

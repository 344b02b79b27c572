#include "core/dumpfile/dumpfile.h"

#include "core/text/messages.h"
#include "core/dumpfile/workfolder.h"
#include "filesizelimit.h"
#include "scriptedui.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <numeric>
#include <sys/stat.h>
#include <unistd.h>

namespace byzel {
namespace {

namespace fs = std::filesystem;
using testing::ScriptedUi;
using testing::TempFolder;

std::vector<std::uint8_t> countingBytes(std::size_t n, std::uint8_t first = 0) {
    std::vector<std::uint8_t> bytes(n);
    std::iota(bytes.begin(), bytes.end(), first);
    return bytes;
}

std::vector<std::uint8_t> readBytes(const DumpFile& dump, Offset offset, std::size_t count) {
    std::vector<std::uint8_t> buffer(count);
    buffer.resize(static_cast<std::size_t>(dump.readAt(offset, buffer)));
    return buffer;
}

class DumpFileTest : public ::testing::Test {
protected:
    TempFolder m_files;
    TempFolder m_temporaryRoot;
    WorkFolder m_work{m_temporaryRoot.path()};
    DumpFile m_dump{m_work};
    ScriptedUi m_ui;
};

TEST_F(DumpFileTest, ReadsItsWorkingCopySoTheDumpFileStaysFreeForRewrites) {
    const std::string path = m_files.write("data.bin", countingBytes(32));
    ASSERT_TRUE(m_dump.open(path, m_ui));
    EXPECT_EQ(m_dump.readingPath(), m_work.filePath(kWorkingCopyName));
    EXPECT_EQ(m_dump.size(), 32);
    EXPECT_EQ(m_dump.lastOffset(), 31);
    EXPECT_EQ(m_dump.totalRows(), 3);
    EXPECT_EQ(readBytes(m_dump, 16, 16), countingBytes(16, 16));
    EXPECT_EQ(readBytes(m_dump, 24, 16), countingBytes(8, 24)) << "short at the end";
    EXPECT_TRUE(readBytes(m_dump, 32, 16).empty());
    EXPECT_TRUE(readBytes(m_dump, -1, 16).empty());

    m_files.write("data.bin", countingBytes(40, 100));
    EXPECT_EQ(readBytes(m_dump, 0, 1), countingBytes(1)) << "the copy is what is read";
    ASSERT_TRUE(m_dump.reopen(path, m_ui));
    EXPECT_EQ(m_dump.size(), 40);
    EXPECT_EQ(readBytes(m_dump, 0, 1), countingBytes(1, 100));
    EXPECT_TRUE(m_ui.shown().empty());
}

TEST_F(DumpFileTest, EmptyFileOpensWithOneRow) {
    ASSERT_TRUE(m_dump.open(m_files.write("empty", ""), m_ui));
    EXPECT_EQ(m_dump.lastOffset(), -1);
    EXPECT_EQ(m_dump.totalRows(), 1);
    EXPECT_TRUE(readBytes(m_dump, 0, 16).empty());
}

TEST_F(DumpFileTest, FolderOrMissingFileFailsSilentlyAndLeavesNothingOpen) {
    ASSERT_TRUE(m_dump.open(m_files.write("data.bin", "abc"), m_ui));
    EXPECT_FALSE(m_dump.open(m_files.path(), m_ui));
    EXPECT_FALSE(m_dump.isOpen());
    EXPECT_TRUE(readBytes(m_dump, 0, 4).empty());
    EXPECT_FALSE(m_dump.open(m_files.path("missing"), m_ui));
    EXPECT_FALSE(m_dump.isOpen());
    EXPECT_TRUE(m_ui.shown().empty());
}

TEST_F(DumpFileTest, PipeIsRefusedWithTheOpenMessageInsteadOfHanging) {
    const std::string pipe = m_files.path("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_FALSE(m_dump.open(pipe, m_ui));
    ASSERT_EQ(m_ui.shownIds(), std::vector<int>{msg::OpenFailed});
    EXPECT_EQ(m_ui.shown()[0].text.rfind(pipe + "\n", 0), 0u);
    EXPECT_FALSE(m_dump.isOpen());
}

TEST_F(DumpFileTest, FileOfTwoGibibytesIsRefusedBeforeAnythingIsCopied) {
    const std::string path = m_files.path("huge.bin");
    { std::ofstream create(path); }
    fs::resize_file(path, static_cast<std::uintmax_t>(kMaxDumpFileSize)); // sparse: no disk used
    EXPECT_FALSE(m_dump.open(path, m_ui));
    ASSERT_EQ(m_ui.shownIds(), std::vector<int>{msg::TooLarge});
    EXPECT_EQ(m_ui.shown()[0].text, path + "\nサイズが大きすぎます");
    EXPECT_FALSE(m_dump.isOpen());
    EXPECT_FALSE(fs::exists(m_work.filePath(kWorkingCopyName)));
}

TEST_F(DumpFileTest, WithoutAUsableTemporaryFolderTheDumpFileItselfIsRead) {
    WorkFolder unusable(m_files.write("plain", "x") + "/sub");
    DumpFile dump(unusable);
    const std::string path = m_files.write("data.bin", countingBytes(20));
    ASSERT_TRUE(dump.open(path, m_ui));
    EXPECT_EQ(dump.readingPath(), path);
    EXPECT_EQ(dump.totalRows(), 2);
    EXPECT_EQ(readBytes(dump, 10, 16), countingBytes(10, 10));
    EXPECT_TRUE(m_ui.shown().empty());
}

TEST_F(DumpFileTest, FailedCopyFallsBackToTheDumpFileAndLeavesNoPartialCopy) {
    const std::string path = m_files.write("data.bin", countingBytes(8192));
    {
        testing::FileSizeLimit limit(1024);
        ASSERT_TRUE(m_dump.open(path, m_ui));
    }
    EXPECT_EQ(m_dump.readingPath(), path);
    EXPECT_EQ(m_dump.size(), 8192);
    EXPECT_EQ(readBytes(m_dump, 8190, 16), countingBytes(2, 8190 % 256));
    EXPECT_FALSE(fs::exists(m_work.filePath(kWorkingCopyName)));
}

TEST_F(DumpFileTest, WorkingCopyOpenedAsDumpFileIsNotCopiedOntoItself) {
    ASSERT_TRUE(m_dump.open(m_files.write("data.bin", countingBytes(64)), m_ui));
    const std::string copy = m_dump.readingPath();
    ASSERT_TRUE(m_dump.open(copy, m_ui));
    EXPECT_EQ(m_dump.size(), 64);
    EXPECT_EQ(readBytes(m_dump, 60, 4), countingBytes(4, 60));
}

TEST_F(DumpFileTest, ReopenRefusesPathsTooLongForAMarkerFile) {
    ASSERT_TRUE(m_dump.open(m_files.write("data.bin", "abc"), m_ui));
    const std::string folder = m_files.path() + "/";
    const std::string tooLong = folder + std::string(256 - folder.size(), 'a');
    EXPECT_FALSE(m_dump.reopen(tooLong, m_ui));
    ASSERT_EQ(m_ui.shownIds(), std::vector<int>{msg::PathTooLong});
    EXPECT_EQ(m_ui.shown()[0].text, tooLong + "\nパスが長すぎます");
    EXPECT_FALSE(m_dump.isOpen());

    // Counted in the bytes the marker file stores: 100 kana are 300 bytes of UTF-8 but 200
    // of Shift-JIS.
    m_ui.clearRecord();
    std::string kana;
    for (int i = 0; i < 100; ++i)
        kana += "あ";
    EXPECT_FALSE(m_dump.reopen("/" + kana, m_ui));
    EXPECT_TRUE(m_ui.shown().empty()) << "missing, but not too long";
}

} // namespace
} // namespace byzel

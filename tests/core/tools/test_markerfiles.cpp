#include "core/markers/markertable.h"
#include "core/text/messages.h"
#include "core/tools/markerfiles.h"
#include "core/ui/progress.h"
#include "filesizelimit.h"
#include "memorysource.h"
#include "scriptedui.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <numeric>

namespace byzel {
namespace {

using testing::MemorySource;
using testing::ScriptedUi;
using testing::TempFolder;

class MarkerFilesTest : public ::testing::Test {
protected:
    MarkerFilesTest() {
        std::iota(source.bytes().begin(), source.bytes().end(), std::uint8_t{0});
        markers.append(0x10, 0x13, 0);
        markers.append(0x20, 0x21, 0);
    }
    bool write(std::vector<int> indexes) {
        return WriteMarkersToFile(source, markers, indexes, ui, [this](const std::string& p) {
            shownFolders.push_back(p);
            return true;
        });
    }

    TempFolder tmp;
    MemorySource source{std::vector<std::uint8_t>(0x40)};
    MarkerTable markers;
    ScriptedUi ui;
    std::vector<std::string> shownFolders;
};

TEST_F(MarkerFilesTest, WritesTheMarkersBytesInListOrder) {
    const std::string out = tmp.path("out.bin");
    ui.chooseFile(out).answer(No);
    EXPECT_TRUE(write(allMarkerIndexes(markers)));
    EXPECT_EQ(TempFolder::read(out),
              (std::vector<std::uint8_t>{0x10, 0x11, 0x12, 0x13, 0x20, 0x21}));
    EXPECT_EQ(ui.shownIds(), std::vector<int>{msg::AskShowSavedFolder});
    EXPECT_EQ(ui.fileRequests().at(0).title, "ファイルを指定");
    EXPECT_TRUE(shownFolders.empty());

    ui.chooseFile(out).answer(Yes);
    EXPECT_TRUE(write({1, 0}));
    EXPECT_EQ(TempFolder::read(out),
              (std::vector<std::uint8_t>{0x20, 0x21, 0x10, 0x11, 0x12, 0x13}));
    EXPECT_EQ(shownFolders, std::vector<std::string>{out});
}

TEST_F(MarkerFilesTest, ReplacesAnExistingFileWholly) {
    const std::string out = tmp.write("old.bin", std::string(100, 'x'));
    ui.chooseFile(out);
    EXPECT_TRUE(write({1}));
    EXPECT_EQ(TempFolder::read(out), (std::vector<std::uint8_t>{0x20, 0x21}));
    EXPECT_EQ(tmp.entries(), std::vector<std::string>{"old.bin"});
}

TEST_F(MarkerFilesTest, LargeMarkersAreCopiedWholeAndShortOnesEndAtTheData) {
    MemorySource big(std::vector<std::uint8_t>(3 * kPassBlockSize + 5, 0xAB));
    big.limitReads(4096);
    MarkerTable table;
    table.append(0, 3 * kPassBlockSize + 4, 0);
    table.append(3 * kPassBlockSize + 4, 3 * kPassBlockSize + 100, 0); // runs past the end
    const std::string out = tmp.path("big.bin");
    ASSERT_TRUE(writeMarkerBytes(big, table, std::vector<int>{0, 1}, out, ui));
    EXPECT_EQ(TempFolder::read(out).size(), 3u * kPassBlockSize + 6);
}

TEST_F(MarkerFilesTest, AsksNothingForAListThatNamesNoMarkers) {
    EXPECT_FALSE(write({}));
    EXPECT_FALSE(write({0, 1, 0}));
    EXPECT_FALSE(write({2}));
    EXPECT_TRUE(ui.fileRequests().empty());
}

TEST_F(MarkerFilesTest, CancelWritesNothing) {
    EXPECT_FALSE(write({0}));
    EXPECT_TRUE(ui.shown().empty());
    EXPECT_TRUE(tmp.entries().empty());
}

TEST_F(MarkerFilesTest, FileThatCannotBeCreatedIsReportedAndNothingWritten) {
    ui.chooseFile(tmp.path("missing/out.bin"));
    EXPECT_FALSE(write({0}));
    EXPECT_EQ(ui.shownIds(), std::vector<int>{msg::OpenFailed});
    EXPECT_TRUE(tmp.entries().empty());
}

TEST_F(MarkerFilesTest, FailedWriteKeepsTheEarlierFile) {
    const std::string out = tmp.write("keep.bin", std::string(2, 'k'));
    {
        testing::FileSizeLimit limit(3);
        ui.chooseFile(out);
        EXPECT_FALSE(write({0, 1}));
    }
    EXPECT_EQ(ui.shownIds(), std::vector<int>{msg::WriteFailed});
    EXPECT_EQ(TempFolder::read(out), (std::vector<std::uint8_t>{'k', 'k'}));
    EXPECT_EQ(tmp.entries(), std::vector<std::string>{"keep.bin"});
}

TEST_F(MarkerFilesTest, StoppedCopyLeavesTheEarlierFileAndNoOther) {
    const std::string out = tmp.write("keep.bin", std::string(2, 'k'));
    const int both[] = {0, 1};
    EXPECT_EQ(copyMarkerBytes(source, markers, both, out,
                              [](std::int64_t, std::int64_t) { return false; }),
              MarkerBytesResult::Stopped);
    EXPECT_EQ(TempFolder::read(out), (std::vector<std::uint8_t>{'k', 'k'}));
    EXPECT_EQ(tmp.entries(), std::vector<std::string>{"keep.bin"});
}

TEST(FolderOfPath, CutsAtTheLastSeparator) {
    EXPECT_EQ(folderOfPath("/home/u/a.mkg"), "/home/u");
    EXPECT_EQ(folderOfPath("C:\\work\\a.mkg"), "C:\\work");
    EXPECT_EQ(folderOfPath("[マーカファイル名未定義]"), "");
}

} // namespace
} // namespace byzel

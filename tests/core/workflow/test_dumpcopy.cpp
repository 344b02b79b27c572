#include "copygate.h"
#include "core/dumpfile/backup.h"
#include "core/dumpfile/workfolder.h"
#include "core/search/dumprewriter.h"
#include "core/settings/memorysettings.h"
#include "core/text/messages.h"
#include "core/viewmodel/viewstate.h"
#include "core/workflow/documentworkflow.h"
#include "core/workflow/recentfiles.h"
#include "core/workflow/work.h"
#include "quietview.h"
#include "scriptedui.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

namespace byzel {
namespace {

using testing::CopyGate;
using testing::QuietView;
using testing::ScriptedUi;
using testing::TempFolder;
using Bytes = std::vector<std::uint8_t>;

constexpr std::int64_t kChunk = 4096;

// A work whose dump file is copied in the background a chunk at a time, held after the first.
class DumpCopyWorkflowTest : public ::testing::Test {
protected:
    void SetUp() override { work.dump().setCopyPacing(gate.pacing(kChunk), 1); }
    void TearDown() override { gate.release(); }

    void open(const Bytes& bytes) {
        path = tmp.write("data.bin", bytes);
        ASSERT_TRUE(flow.openAsNewWork(path));
        gate.waitUntilHeld();
    }
    Bytes shown() const {
        Bytes b(static_cast<std::size_t>(work.dump().size()));
        b.resize(static_cast<std::size_t>(work.dump().readAt(0, b)));
        return b;
    }

    TempFolder tmp;
    CopyGate gate;
    WorkFolder folder{tmp.path()};
    Work work{folder};
    ViewState viewState;
    QuietView view;
    ScriptedUi ui;
    MemorySettingsStore settings;
    RecentFileList recent{settings};
    DocumentWorkflow flow{work, viewState, view, ui, settings, recent, tmp.path()};
    std::string path;
};

TEST_F(DumpCopyWorkflowTest, FileShortenedWhileCopiedIsToldAndCopiedAgain) {
    open(Bytes(16 * kChunk, 0x11));
    viewState.visibleRows = 10;
    viewState.topRow = 1000;
    const Bytes shorter(1000, 0x22);
    tmp.write("data.bin", shorter);
    gate.releaseSoon();
    ASSERT_TRUE(flow.finishDumpCopy(runPassHere));
    ASSERT_EQ(ui.shownIds(), std::vector<int>{msg::ChangedWhileCopying});
    EXPECT_EQ(ui.shown()[0].text, path + "\n読込み中にファイルが変更されたため、読み直します");
    EXPECT_EQ(work.dump().readingPath(), folder.filePath(kWorkingCopyName));
    EXPECT_EQ(shown(), shorter);
    EXPECT_EQ(viewState.topRow, work.dump().totalRows() - 10)
        << "kept as far as the shorter file reaches";
}

TEST_F(DumpCopyWorkflowTest, ReplaceAllWaitsForTheCopyAndIsExact) {
    Bytes bytes(16 * kChunk, 0);
    for (std::size_t at : {0u, 5000u, 16u * 4096u - 2u})
        bytes[at] = bytes[at + 1] = 0xAA;
    open(bytes);
    bool copyingAtFirstPass = false;
    int passes = 0;
    DumpRewriter rewriter(work, flow, ui, folder, [&](const Pass& pass) {
        if (passes++ == 0)
            copyingAtFirstPass = work.dump().copyPending();
        return pass({});
    });
    gate.releaseSoon();
    ui.answer(Yes);
    ASSERT_TRUE(rewriter.ReplaceAllMatches(Bytes{0xAA, 0xAA}, Bytes{0xBB}));
    EXPECT_TRUE(copyingAtFirstPass) << "the first pass waits for the copy";
    EXPECT_EQ(rewriter.replacedCount(), 3);
    EXPECT_EQ(TempFolder::read(backupPathFor(path)), bytes);

    Bytes expected;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == 0xAA && i + 1 < bytes.size() && bytes[i + 1] == 0xAA) {
            expected.push_back(0xBB);
            ++i;
        } else {
            expected.push_back(bytes[i]);
        }
    }
    EXPECT_EQ(TempFolder::read(path), expected);
    ASSERT_TRUE(flow.finishDumpCopy(runPassHere)) << "the reload copies the new content";
    EXPECT_EQ(work.dump().readingPath(), folder.filePath(kWorkingCopyName));
    EXPECT_EQ(shown(), expected);
    EXPECT_EQ(ui.shownIds(), (std::vector<int>{msg::AskReplaceAll, msg::ReplaceDone}))
        << "the new file, copied while it took the dump file's place, is the dump file";
}

TEST_F(DumpCopyWorkflowTest, StoppingTheWaitLeavesTheFileUntouched) {
    const Bytes bytes(16 * kChunk, 0xAA);
    open(bytes);
    const PassRunner stopAtOnce = [](const Pass& pass) {
        return pass([](std::int64_t, std::int64_t) { return false; });
    };
    DumpRewriter rewriter(work, flow, ui, folder, stopAtOnce);
    work.searchHit() = {0, 1};
    EXPECT_FALSE(rewriter.ReplaceAllMatches(Bytes{0xAA}, Bytes{0xBB}));
    EXPECT_FALSE(rewriter.ReplaceCurrentHit(Bytes{0xAA}, [] { return ByteString{0xBB}; }));
    EXPECT_FALSE(rewriter.writeRow(0, Bytes(16, 0xBB)));
    EXPECT_TRUE(ui.shown().empty());
    EXPECT_EQ(TempFolder::read(path), bytes);
    EXPECT_FALSE(std::filesystem::exists(backupPathFor(path)));
    EXPECT_TRUE(work.dump().copyPending()) << "the copy goes on";
}

} // namespace
} // namespace byzel

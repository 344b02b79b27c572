#include "core/dumpfile/backup.h"
#include "core/dumpfile/dumpfile.h"
#include "core/dumpfile/workfolder.h"
#include "core/dumplist/dumpexport.h"
#include "core/markerfile/markerfile.h"
#include "core/search/dumprewriter.h"
#include "core/settings/memorysettings.h"
#include "core/text/messages.h"
#include "core/tools/markerfiles.h"
#include "core/viewmodel/viewstate.h"
#include "core/workflow/documentworkflow.h"
#include "core/workflow/recentfiles.h"
#include "core/workflow/work.h"
#include "filesizelimit.h"
#include "quietview.h"
#include "scriptedui.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <numeric>
#include <sys/stat.h>
#include <unistd.h>

namespace byzel {
namespace {

namespace fs = std::filesystem;
using testing::QuietView;
using testing::ScriptedUi;
using testing::TempFolder;
using Bytes = std::vector<std::uint8_t>;

Bytes countingBytes(std::size_t n) {
    Bytes bytes(n);
    std::iota(bytes.begin(), bytes.end(), std::uint8_t{0});
    return bytes;
}

// Faults around an open work: its dump file taken away or made unreadable by someone else, a
// disk that fills up while the dump file is rewritten or the work saved.
class WorkFaultTest : public ::testing::Test {
protected:
    void SetUp() override { open(countingBytes(100)); }
    void open(const Bytes& bytes) {
        m_path = m_tmp.write("data.bin", bytes);
        ASSERT_TRUE(m_flow.openAsNewWork(m_path));
        m_work.markers().append(2, 5, 0x0000FF);
        m_work.setModified(true);
    }
    Bytes shown() {
        Bytes bytes(static_cast<std::size_t>(m_work.dump().size()));
        bytes.resize(static_cast<std::size_t>(m_work.dump().readAt(0, bytes)));
        return bytes;
    }
    // Makes the dump file unreadable; root reads through permission bits, so it gets a pipe in
    // the file's place instead.
    void makeUnreadable() {
        if (::geteuid() != 0) {
            ASSERT_EQ(::chmod(m_path.c_str(), 0), 0);
            return;
        }
        fs::remove(m_path);
        ASSERT_EQ(::mkfifo(m_path.c_str(), 0600), 0);
    }
    void expectTheWorkStillSaves() {
        const std::string saved = m_tmp.path("work.mkg");
        ASSERT_TRUE(writeMarkerFile(saved, m_work.header(), m_work.markers(), false, m_ui));
        const auto contents = readMarkerFile(saved, m_ui);
        ASSERT_TRUE(contents);
        EXPECT_EQ(contents->header.dumpPathCandidates().front(), m_path);
        ASSERT_EQ(contents->records.size(), 1u);
    }

    TempFolder m_tmp;
    WorkFolder m_folder{m_tmp.path()};
    Work m_work{m_folder};
    ViewState m_viewState;
    QuietView m_view;
    ScriptedUi m_ui;
    MemorySettingsStore m_settings;
    RecentFileList m_recent{m_settings};
    DocumentWorkflow m_flow{m_work, m_viewState, m_view, m_ui, m_settings, m_recent, m_tmp.path()};
    DumpRewriter m_rewriter{m_work, m_flow, m_ui, m_folder, runPassHere};
    std::string m_path;
};

TEST_F(WorkFaultTest, DeletedFileStaysOnViewAndIsNotMadeAgainByAReplace) {
    fs::remove(m_path);
    EXPECT_EQ(shown(), countingBytes(100)) << "the working copy still holds the bytes";
    expectTheWorkStillSaves();

    m_ui.answer(Yes);
    EXPECT_FALSE(m_rewriter.ReplaceAllMatches(Bytes{3, 4}, Bytes{9}));
    EXPECT_FALSE(m_ui.shownIds().empty());
    const int reported = m_ui.shownIds().back();
    EXPECT_TRUE(reported == msg::OpenFailed || reported == msg::WriteFailed ||
                reported == msg::ScratchCopyFailed)
        << reported;
    EXPECT_FALSE(fs::exists(m_path)) << "a replace must not bring back a file the user deleted";
    EXPECT_TRUE(m_work.markers().count() == 1 && m_work.modified());
}

TEST_F(WorkFaultTest, UnreadableFileStaysOnViewAndItsReopenIsReported) {
    makeUnreadable();
    EXPECT_EQ(shown(), countingBytes(100));
    expectTheWorkStillSaves();

    m_ui.clearRecord();
    EXPECT_FALSE(m_flow.reopenDumpFile(m_path, true));
    ASSERT_EQ(m_ui.shownIds(), std::vector<int>{msg::OpenFailed});
    EXPECT_EQ(m_ui.shown()[0].text, m_path + "\nファイルのオープン失敗しました");
    EXPECT_EQ(m_work.markers().count(), 1) << "the markers outlive the lost dump file";
}

TEST_F(WorkFaultTest, DiskFullHalfWayThroughAReplaceLeavesTheFileAsItWas) {
    // Every 0x41 becomes four bytes: the rewritten file would be 100 KiB, the disk takes 60.
    Bytes bytes(40 << 10);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = i % 2 ? 0x41 : static_cast<std::uint8_t>(i);
    open(bytes);
    const Bytes shownBefore = shown();
    m_ui.answer(Yes);
    {
        testing::FileSizeLimit fullDisk(60 << 10);
        EXPECT_FALSE(m_rewriter.ReplaceAllMatches(Bytes{0x41}, Bytes{1, 2, 3, 4}));
    }
    EXPECT_EQ(TempFolder::read(m_path), bytes);
    EXPECT_EQ(shown(), shownBefore);
    const int reported = m_ui.shownIds().back();
    EXPECT_TRUE(reported == msg::WriteFailed || reported == msg::OpenFailed) << reported;
    // Beside the dump file at most its backup, no half-written file.
    for (const auto& entry : fs::directory_iterator(m_tmp.path())) {
        if (entry.is_regular_file()) {
            EXPECT_TRUE(entry.path() == m_path || entry.path() == backupPathFor(m_path))
                << "left behind: " << entry.path();
        }
    }
}

TEST_F(WorkFaultTest, DiskFullWhileSavingKeepsTheEarlierFileAndTheUnsavedWork) {
    const std::string saved = m_tmp.path("work.mkg");
    m_ui.chooseFile(saved);
    ASSERT_EQ(m_flow.saveWorkAs(), SaveOutcome::Saved);
    const Bytes before = TempFolder::read(saved);
    for (Offset at = 10; at < 90; at += 2)
        m_work.markers().append(at, at, 0x00FF00);
    m_work.setModified(true);
    m_ui.clearRecord();
    {
        testing::FileSizeLimit fullDisk(before.size() + 100);
        EXPECT_FALSE(m_flow.saveWork());
    }
    EXPECT_EQ(m_ui.shownIds(), std::vector<int>{msg::WriteFailed});
    EXPECT_EQ(TempFolder::read(saved), before);
    EXPECT_TRUE(m_work.modified());
    EXPECT_EQ(m_work.markers().count(), 41);
    ASSERT_TRUE(m_flow.saveWork()) << "room again: the same work saves";
    EXPECT_FALSE(m_work.modified());
}

TEST(DumpFileFault, WithoutAWorkingCopyAFileShortenedWhileOpenEndsTheListingEarly) {
    TempFolder tmp;
    WorkFolder unusable(tmp.write("plain", "x") + "/sub");
    DumpFile dump(unusable);
    ScriptedUi ui;
    const std::string path = tmp.write("data.bin", countingBytes(100));
    ASSERT_TRUE(dump.open(path, ui));
    ASSERT_EQ(dump.readingPath(), path);
    fs::resize_file(path, 20);

    MarkerTable markers;
    markers.append(4, 7, 0xFF);
    markers.append(40, 90, 0xFF);
    Offset topRow = 0;
    const std::string list = tmp.path("list.txt");
    ASSERT_TRUE(ExportDumpListText(list, ExportRange::WholeFile, 1, 50, false,
                                   {.source = dump, .markers = markers}, topRow, ui));
    const Bytes text = TempFolder::read(list);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2 + 2) << "header, rule, 20 bytes";
    const std::string bytes = tmp.path("bytes.bin");
    const int both[] = {0, 1};
    EXPECT_TRUE(writeMarkerBytes(dump, markers, both, bytes, ui));
    EXPECT_EQ(TempFolder::read(bytes), (Bytes{4, 5, 6, 7}));
    EXPECT_TRUE(ui.shown().empty());
}

} // namespace
} // namespace byzel

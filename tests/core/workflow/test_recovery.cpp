#include "core/workflow/recovery.h"

#include "core/dumpfile/workfolder.h"
#include "core/markerfile/markerfile.h"
#include "core/settings/memorysettings.h"
#include "core/viewmodel/viewstate.h"
#include "core/workflow/documentworkflow.h"
#include "core/workflow/recentfiles.h"
#include "core/workflow/work.h"
#include "core/workflow/workview.h"
#include "scriptedui.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iterator>

namespace byzel {
namespace {

namespace fs = std::filesystem;
using testing::ScriptedUi;
using testing::TempFolder;

struct IdleView : WorkView {
    void layOut() override {}
    void repaint() override {}
    void hidePopup() override {}
};

class RecoveryTest : public ::testing::Test {
protected:
    RecoveryTest() {
        fs::create_directory(tmp.path("program"));
        fs::create_directory(tmp.path("work"));
    }

    // A named work on work/data.bin, loaded from work/work.mkg and then changed.
    void openChangedNamedWork() {
        const std::string dump = tmp.write("work/data.bin", std::vector<std::uint8_t>(64, 0x41));
        HeaderBlock header;
        ASSERT_TRUE(header.setDumpPath(dump));
        header.linkedScrolling = 1;
        MarkerTable table;
        table.assign({marker(0, 3, "header")});
        ASSERT_TRUE(writeMarkerFile(tmp.path("work/work.mkg"), header, table, false, ui));
        ASSERT_TRUE(flow.loadMarkerFile(tmp.path("work/work.mkg")));
        work.markers().assign({marker(0, 3, "header"), marker(8, 15, "body")});
        work.setModified(true);
    }
    static MarkerRecord marker(Offset start, Offset end, std::string_view remark) {
        MarkerRecord r;
        r.start = start;
        r.end = end;
        r.color = 0x00FF00;
        std::copy(remark.begin(), remark.end(), r.remark.begin());
        return r;
    }

    TempFolder tmp;
    WorkFolder workFolder{tmp.path()};
    Work work{workFolder};
    ViewState viewState;
    IdleView view;
    ScriptedUi ui;
    MemorySettingsStore settings;
    RecentFileList recent{settings};
    DocumentWorkflow flow{work, viewState, view, ui, settings, recent, tmp.path("program")};
};

TEST_F(RecoveryTest, NamedWorkIsRecoveredBesideItsFileAsASaveWouldWriteIt) {
    openChangedNamedWork();
    const auto original = TempFolder::read(tmp.path("work/work.mkg"));

    const std::string first = saveRecoveryFile(work, tmp.path("data"));
    EXPECT_EQ(first, tmp.path("work/work.recovered.mkg"));
    const std::string second = saveRecoveryFile(work, tmp.path("data"));
    EXPECT_EQ(second, tmp.path("work/work.recovered-2.mkg"));
    EXPECT_EQ(TempFolder::read(tmp.path("work/work.mkg")), original) << "the user's file stays";
    EXPECT_FALSE(fs::exists(tmp.path("data")));

    ASSERT_TRUE(flow.saveWork());
    const auto saved = TempFolder::read(tmp.path("work/work.mkg"));
    EXPECT_NE(saved, original);
    EXPECT_EQ(TempFolder::read(first), saved);
    EXPECT_EQ(TempFolder::read(second), saved);
}

TEST_F(RecoveryTest, NothingIsWrittenForAWorkWithoutChanges) {
    EXPECT_EQ(saveRecoveryFile(work, tmp.path("data")), "");
    openChangedNamedWork();
    work.setModified(false);
    EXPECT_EQ(saveRecoveryFile(work, tmp.path("data")), "");
    EXPECT_EQ(std::distance(fs::directory_iterator(tmp.path("work")), {}), 2) << "data.bin, work.mkg";
    EXPECT_FALSE(fs::exists(tmp.path("data")));
}

TEST_F(RecoveryTest, UnnamedWorkGoesToTheDataFolderNamedAfterTheDumpFile) {
    ASSERT_TRUE(flow.openAsNewWork(tmp.write("work/capture.raw", "0123456789abcdef")));
    work.markers().assign({marker(2, 5, "id")});
    work.setModified(true);

    const std::string path = saveRecoveryFile(work, tmp.path("data/deep"));
    EXPECT_EQ(path, tmp.path("data/deep/capture.recovered.mkg"));
    const auto read = readMarkerFile(path, ui);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->header.dumpPathCandidates().front(), tmp.path("work/capture.raw"));
    ASSERT_EQ(read->records.size(), 1u);
    EXPECT_EQ(read->records[0].remarkText(), "id");
}

TEST_F(RecoveryTest, WorkWhoseFolderTakesNoFileGoesToTheDataFolder) {
    openChangedNamedWork();
    fs::remove_all(tmp.path("work"));
    EXPECT_EQ(saveRecoveryFile(work, tmp.path("data")), tmp.path("data/work.recovered.mkg"));
    EXPECT_TRUE(ui.shown().empty()) << "nothing is asked while the program ends";
}

} // namespace
} // namespace byzel

#include "core/workflow/documentworkflow.h"
#include "core/workflow/dumprelocation.h"
#include "core/markerfile/markerfile.h"
#include "core/settings/memorysettings.h"
#include "core/workflow/recentfiles.h"
#include "core/viewmodel/viewstate.h"
#include "core/workflow/work.h"
#include "core/dumpfile/workfolder.h"
#include "core/workflow/workview.h"
#include "scriptedui.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace byzel {
namespace {

using testing::ScriptedUi;
using testing::TempFolder;

struct RecordingView : WorkView {
    void layOut() override { ++layOuts; }
    void repaint() override { ++repaints; }
    void hidePopup() override { ++popupsHidden; }
    int layOuts = 0, repaints = 0, popupsHidden = 0;
};

MarkerRecord marker(Offset start, Offset end) {
    MarkerRecord r;
    r.start = start;
    r.end = end;
    r.color = 0x0000FF;
    return r;
}

class DocumentWorkflowTest : public ::testing::Test {
protected:
    DocumentWorkflowTest() { std::filesystem::create_directory(tmp.path("program")); }

    std::string dumpFile(std::string_view name, std::size_t size = 64) {
        return tmp.write(name, std::vector<std::uint8_t>(size, 0x41));
    }
    // A marker file for the dump file at dumpPath, holding the given markers.
    std::string markerFile(std::string_view name, std::string_view dumpPath,
                           std::vector<MarkerRecord> records = {marker(0, 3)}) {
        HeaderBlock header;
        EXPECT_TRUE(header.setDumpPath(dumpPath));
        header.linkLines = 1;
        MarkerTable table;
        table.assign(std::move(records));
        const std::string path = tmp.path(name);
        EXPECT_TRUE(writeMarkerFile(path, header, table, false, ui));
        return path;
    }
    // An unnamed, modified work on a fresh dump file.
    void startModifiedWork() {
        ASSERT_TRUE(flow.openAsNewWork(dumpFile("current.bin")));
        work.markers().assign({marker(8, 9)});
        work.setModified(true);
    }

    TempFolder tmp;
    WorkFolder workFolder{tmp.path()};
    Work work{workFolder};
    ViewState viewState;
    RecordingView view;
    ScriptedUi ui;
    MemorySettingsStore settings;
    RecentFileList recent{settings};
    DocumentWorkflow flow{work, viewState, view, ui, settings, recent, tmp.path("program")};
};

TEST_F(DocumentWorkflowTest, ExitAsksOnlyAboutAnOpenChangedWork) {
    EXPECT_TRUE(flow.confirmExit());
    ASSERT_TRUE(flow.openAsNewWork(dumpFile("a.bin")));
    EXPECT_TRUE(flow.confirmExit());
    EXPECT_TRUE(ui.shown().empty());

    work.setModified(true);
    ui.answer(Cancel);
    EXPECT_FALSE(flow.confirmExit());
    // Unnamed: "save to a marker file?"; Yes opens the chooser, and cancelling it still exits.
    ui.answer(Yes);
    EXPECT_TRUE(flow.confirmExit());
    EXPECT_EQ(ui.shownIds(), (std::vector<int>{msg::AskSaveUnnamed, msg::AskSaveUnnamed}));
    ASSERT_EQ(ui.fileRequests().size(), 1u);
    EXPECT_EQ(ui.fileRequests()[0].proposedName, "a.mkg");
}

TEST_F(DocumentWorkflowTest, NewWorkAnsweredNoIsAskedAgainWhenTheOldWorkCloses) {
    startModifiedWork();
    const std::string next = dumpFile("next.bin");
    ui.answer(No).chooseFile(next).answer(No);
    flow.newWork();
    EXPECT_EQ(ui.shownIds(), (std::vector<int>{msg::AskSaveUnnamed, msg::AskSaveUnnamed}));
    EXPECT_TRUE(work.isOpen());
    EXPECT_EQ(work.markers().count(), 0);
    EXPECT_FALSE(work.modified());
    EXPECT_EQ(work.header().dumpPathCandidates().front(), next);
    EXPECT_EQ(settings.readText(section::Last, "OpenFile"), next);
    EXPECT_EQ(ui.fileRequests()[0].title, "ダンプリストを表示するファイルを指定");
}

TEST_F(DocumentWorkflowTest, DisplaySwitchesOutliveClosingAndSearchHitDoesNot) {
    ui.chooseFile(markerFile("w.mkg", dumpFile("d.bin")));
    flow.openWork();
    work.searchHit() = {4, 2};
    ASSERT_TRUE(flow.closeWork());
    EXPECT_FALSE(work.isOpen());
    EXPECT_TRUE(work.header().linkLinesOn());
    EXPECT_TRUE(work.header().dumpPathCandidates().empty());
    EXPECT_FALSE(work.searchHit().exists());
    EXPECT_TRUE(work.isUnnamed());
    EXPECT_GE(view.popupsHidden, 1);
}

TEST_F(DocumentWorkflowTest, OpenLoadsMarkerFilesOnlyAndRemembersThem) {
    const std::string mkg = markerFile("Work.MKG", dumpFile("d.bin"));
    std::filesystem::copy_file(mkg, tmp.path("copy.bin"));
    ui.chooseFile(tmp.path("copy.bin"));
    flow.openWork();
    EXPECT_FALSE(work.isOpen());

    ui.chooseFile(mkg);
    flow.openWork();
    EXPECT_TRUE(work.isOpen());
    EXPECT_EQ(work.markerFilePath(), mkg);
    EXPECT_FALSE(work.modified());
    EXPECT_EQ(recent.entries(), std::vector<std::string>{mkg});
    EXPECT_EQ(ui.fileRequests()[1].defaultExtension, "mkg");
}

TEST_F(DocumentWorkflowTest, UnreadableMarkerFileLeavesTheCurrentWork) {
    startModifiedWork();
    const std::string broken = tmp.write("broken.mkg", "not a marker file");
    EXPECT_FALSE(flow.loadMarkerFile(broken));
    EXPECT_EQ(ui.shownIds(), std::vector<int>{msg::ReadFailed});
    EXPECT_TRUE(work.isOpen());
    EXPECT_TRUE(work.modified());
    EXPECT_EQ(work.markers().count(), 1);
}

TEST_F(DocumentWorkflowTest, ReopeningTheChangedWorkShowsWhatWasJustSaved) {
    const std::string mkg = markerFile("w.mkg", dumpFile("d.bin"));
    ASSERT_TRUE(flow.loadMarkerFile(mkg));
    work.markers().append(10, 12, 0x0000FF);
    work.setModified(true);
    ui.answer(Yes);
    ASSERT_TRUE(flow.loadMarkerFile(mkg));
    EXPECT_EQ(work.markers().count(), 2);
    EXPECT_FALSE(work.modified());
}

TEST_F(DocumentWorkflowTest, OutOfOrderMarkersAreSortedOnLoad) {
    const std::string mkg =
        markerFile("w.mkg", dumpFile("d.bin"), {marker(20, 21), marker(0, 3), marker(10, 12)});
    ASSERT_TRUE(flow.loadMarkerFile(mkg));
    EXPECT_TRUE(work.markers().isSorted());
    EXPECT_EQ(work.markers()[0].start, 0);
    EXPECT_GE(view.repaints, 1);
}

TEST_F(DocumentWorkflowTest, DumpFileMovedBesideTheMarkerFileLoadsSilentlyAsChanged) {
    std::filesystem::create_directory(tmp.path("moved"));
    const std::string beside = dumpFile("moved/data.bin");
    const std::string mkg = markerFile("moved/w.mkg", tmp.path("gone/data.bin"));
    ASSERT_TRUE(flow.loadMarkerFile(mkg));
    EXPECT_TRUE(ui.shown().empty());
    EXPECT_TRUE(work.modified());
    EXPECT_EQ(work.title(), "w*");
    EXPECT_EQ(work.header().dumpPathCandidates().front(), beside);
}

TEST_F(DocumentWorkflowTest, WindowsStoredPathRelocatesThroughTheSampleFolder) {
    std::filesystem::create_directory(tmp.path("program/SampleData"));
    const std::string sample = dumpFile("program/SampleData/sample.bin");
    const std::string mkg = markerFile("w.mkg", "C:\\work\\sample.bin");
    ASSERT_TRUE(flow.loadMarkerFile(mkg));
    EXPECT_EQ(work.header().dumpPathCandidates().front(), sample);
    EXPECT_TRUE(work.modified());
    EXPECT_EQ(movedDumpFileCandidates(work.header(), "/opt/byzel", "/home/u/w.mkg"),
              (std::vector<std::string>{"/opt/byzel/SampleData/sample.bin", "/home/u/sample.bin"}));
}

TEST_F(DocumentWorkflowTest, MissingDumpFileIsOfferedForChoosing) {
    const std::string mkg = markerFile("w.mkg", tmp.path("gone/data.bin"));
    ui.answer(No);
    EXPECT_FALSE(flow.loadMarkerFile(mkg));
    EXPECT_EQ(ui.shownIds(), std::vector<int>{msg::AskLocateDumpFile});
    EXPECT_FALSE(work.isOpen());
    EXPECT_EQ(work.markers().count(), 0);
    EXPECT_TRUE(work.isUnnamed());

    const std::string chosen = dumpFile("chosen.bin");
    ui.answer(Yes).chooseFile(chosen);
    ASSERT_TRUE(flow.loadMarkerFile(mkg));
    EXPECT_EQ(work.header().dumpPathCandidates().front(), chosen);
    EXPECT_EQ(work.markerFilePath(), mkg);
    EXPECT_TRUE(work.modified());
}

TEST_F(DocumentWorkflowTest, DroppedFiles) {
    flow.dropFiles({dumpFile("a.bin"), dumpFile("b.bin")});
    flow.dropFiles({tmp.path()});
    EXPECT_EQ(ui.shownIds(), (std::vector<int>{msg::DropOneFile, msg::FolderRefused}));
    EXPECT_FALSE(work.isOpen());

    // A dump file dropped on nothing starts a new work without a question.
    ui.clearRecord();
    flow.dropFiles({tmp.path("a.bin")});
    EXPECT_TRUE(work.isOpen());
    EXPECT_TRUE(ui.shown().empty());

    // No: the markers stay, laid over the new file's bytes.
    work.markers().assign({marker(0, 3), marker(40, 50)});
    work.setModified(true);
    viewState.topRow = 3;
    const std::string bigger = dumpFile("bigger.bin", 4096);
    ui.answer(No);
    flow.dropFiles({bigger});
    EXPECT_EQ(work.markers().count(), 2);
    EXPECT_TRUE(work.modified());
    EXPECT_EQ(work.dump().size(), 4096);
    EXPECT_EQ(work.header().dumpPathCandidates().front(), bigger);
    EXPECT_EQ(viewState.topRow, 0);

    ui.answer(Cancel);
    flow.dropFiles({tmp.path("a.bin")});
    EXPECT_EQ(work.dump().size(), 4096);

    // Yes: a new work, after the usual question about the changed one.
    ui.answer(Yes).answer(No);
    flow.dropFiles({tmp.path("a.bin")});
    EXPECT_EQ(work.markers().count(), 0);
    EXPECT_EQ(work.dump().size(), 64);
    EXPECT_FALSE(work.modified());
}

TEST_F(DocumentWorkflowTest, DroppedMarkerFileDoesNotTouchTheRecentList) {
    flow.dropFiles({markerFile("w.Mkg", dumpFile("d.bin"))});
    EXPECT_TRUE(work.isOpen());
    EXPECT_EQ(work.markers().count(), 1);
    EXPECT_TRUE(recent.entries().empty());
}

TEST_F(DocumentWorkflowTest, RecentFiles) {
    const std::string first = markerFile("first.mkg", dumpFile("d.bin"));
    const std::string gone = tmp.path("gone.mkg");
    recent.add(gone);
    recent.add(first);
    recent.add(tmp.path("other.mkg"));

    ASSERT_TRUE(flow.openRecentFile(1));
    EXPECT_EQ(recent.entry(0), first);
    EXPECT_EQ(work.markerFilePath(), first);

    ui.answer(No).answer(Yes);
    EXPECT_FALSE(flow.openRecentFile(2));
    EXPECT_EQ(recent.entries().size(), 3u);
    EXPECT_FALSE(flow.openRecentFile(2));
    EXPECT_EQ(recent.entries().size(), 2u);
    ASSERT_EQ(ui.shown().size(), 2u);
    EXPECT_EQ(ui.shown()[0].id, msg::AskRemoveRecent);
    EXPECT_TRUE(ui.shown()[0].text.starts_with(gone + "\n"));
    EXPECT_FALSE(flow.openRecentFile(9));
}

TEST_F(DocumentWorkflowTest, FailedSaveAnsweredYesKeepsTheUnsavedWork) {
    startModifiedWork();
    work.setMarkerFilePath(tmp.path("no-such-folder/w.mkg"));
    ui.answer(Yes);
    flow.newWork();
    EXPECT_EQ(ui.shownIds(), (std::vector<int>{msg::AskSaveChanges, msg::OpenFailed}));
    EXPECT_TRUE(ui.fileRequests().empty());
    EXPECT_TRUE(work.isOpen());
    EXPECT_TRUE(work.modified());
    EXPECT_EQ(work.markers().count(), 1);

    // The same through save as: the chosen file cannot be written either.
    work.setMarkerFilePath(std::string(kUnnamedMarkerFile));
    ui.clearRecord();
    ui.answer(Yes).chooseFile(tmp.path("no-such-folder/x.mkg"));
    EXPECT_FALSE(flow.confirmExit());
    EXPECT_TRUE(work.isUnnamed());
}

TEST_F(DocumentWorkflowTest, SaveAsNamesTheWorkOnlyOnceSaved) {
    startModifiedWork();
    EXPECT_FALSE(flow.canSave());
    const std::string existing = tmp.write("existing.mkg", "keep me");
    ui.chooseFile(existing).answer(No);
    EXPECT_EQ(flow.saveWorkAs(), SaveOutcome::Cancelled);
    EXPECT_TRUE(work.isUnnamed());
    EXPECT_EQ(TempFolder::read(existing).size(), 7u);

    const std::string saved = tmp.path("saved.mkg");
    ui.chooseFile(saved);
    EXPECT_EQ(flow.saveWorkAs(), SaveOutcome::Saved);
    EXPECT_TRUE(ui.wasShown(msg::SavedMarkerFile));
    EXPECT_EQ(work.markerFilePath(), saved);
    EXPECT_FALSE(work.modified());
    EXPECT_TRUE(flow.canSave());
    EXPECT_EQ(recent.entry(0), saved);
    EXPECT_EQ(ui.fileRequests()[0].proposedName, "current.mkg");
    EXPECT_EQ(ui.fileRequests()[0].title, "マーカを保存するファイルを指定");

    work.markers().assign({marker(1, 2), marker(5, 6)});
    work.setModified(true);
    ui.clearRecord();
    EXPECT_TRUE(flow.saveWork());
    EXPECT_TRUE(ui.shown().empty());
    EXPECT_FALSE(work.modified());
    auto reread = readMarkerFile(saved, ui);
    ASSERT_TRUE(reread);
    EXPECT_EQ(reread->records.size(), 2u);
}

TEST_F(DocumentWorkflowTest, PathsTooLongToStoreAreRefused) {
    std::string deep = tmp.path();
    while (deep.size() < 300)
        deep += "/deeper-folder";
    std::filesystem::create_directories(deep);
    const std::string longPath = TempFolder::writeFile(deep + "/d.bin", "data");
    ui.chooseFile(longPath);
    flow.newWork();
    EXPECT_EQ(ui.shownIds(), std::vector<int>{msg::PathTooLong});
    EXPECT_TRUE(ui.shown()[0].text.starts_with(longPath + "\n"));
    EXPECT_FALSE(work.isOpen());
}

TEST_F(DocumentWorkflowTest, QuotingIntoAnEmptyTableAsksNothingAndKeepsTheDumpFile) {
    const std::string dump = dumpFile("open.bin");
    ASSERT_TRUE(flow.openAsNewWork(dump));
    work.header().linkLines = 0;
    const std::string other =
        markerFile("Other.MKG", dumpFile("other.bin"), {marker(20, 21), marker(4, 5)});
    ui.chooseFile(other);
    EXPECT_TRUE(flow.quoteMarkers());
    EXPECT_TRUE(ui.shown().empty());
    EXPECT_EQ(ui.fileRequests().at(0).title, "マーカファイルを指定");
    // Out-of-order markers come back sorted.
    ASSERT_EQ(work.markers().count(), 2);
    EXPECT_EQ(work.markers()[0].start, 4);
    EXPECT_EQ(work.markers()[1].start, 20);
    // The open work keeps its dump file, its path and its switches, and is unnamed and changed
    // without the change mark in the title.
    EXPECT_TRUE(work.isOpen());
    EXPECT_EQ(work.dump().size(), 64);
    EXPECT_EQ(work.header().dumpPathCandidates().front(), dump);
    EXPECT_FALSE(work.header().linkLinesOn());
    EXPECT_EQ(work.title(), "[マーカファイル名未定義]");
    EXPECT_TRUE(work.modified());
    EXPECT_GE(view.popupsHidden, 1);
}

TEST_F(DocumentWorkflowTest, QuotingOverMarkersAsksFirstAndIgnoresOtherExtensions) {
    startModifiedWork();
    const std::string other = markerFile("other.mkg", dumpFile("other.bin"));
    ui.answer(No);
    EXPECT_FALSE(flow.quoteMarkers());
    EXPECT_TRUE(ui.fileRequests().empty());

    std::filesystem::copy_file(other, tmp.path("other.dat"));
    ui.answer(Yes).chooseFile(tmp.path("other.dat"));
    EXPECT_FALSE(flow.quoteMarkers());
    EXPECT_EQ(ui.shownIds(), (std::vector<int>{msg::AskOverwriteMarkers, msg::AskOverwriteMarkers}));
    EXPECT_EQ(work.markers()[0].start, 8);

    // Changed work: the save question comes next, and Cancel there keeps everything.
    ui.clearRecord();
    ui.answer(Yes).chooseFile(other).answer(Cancel);
    EXPECT_FALSE(flow.quoteMarkers());
    EXPECT_EQ(ui.shownIds(), (std::vector<int>{msg::AskOverwriteMarkers, msg::AskSaveUnnamed}));
    EXPECT_EQ(work.markers()[0].start, 8);
}

TEST_F(DocumentWorkflowTest, UnreadableQuotedFileLeavesTheMarkers) {
    startModifiedWork();
    ui.answer(Yes).chooseFile(tmp.write("broken.mkg", "not a marker file")).answer(No);
    EXPECT_FALSE(flow.quoteMarkers());
    EXPECT_EQ(ui.shownIds().back(), msg::ReadFailed);
    ASSERT_EQ(work.markers().count(), 1);
    EXPECT_EQ(work.markers()[0].start, 8);
}

TEST_F(DocumentWorkflowTest, ReplacingTheDumpFileKeepsTheMarkers) {
    ASSERT_TRUE(flow.openAsNewWork(dumpFile("first.bin")));
    work.markers().assign({marker(8, 9)});
    const std::string next = dumpFile("next.bin", 999);
    ui.chooseFile(next);
    EXPECT_TRUE(flow.replaceDumpFile());
    EXPECT_EQ(work.dump().size(), 999);
    EXPECT_EQ(work.header().dumpPathCandidates().front(), next);
    EXPECT_EQ(work.markers()[0].start, 8);
    EXPECT_TRUE(work.modified());

    EXPECT_FALSE(flow.replaceDumpFile());
    EXPECT_EQ(work.dump().size(), 999);

    ui.chooseFile(tmp.path(std::string(300, 'n')));
    EXPECT_FALSE(flow.replaceDumpFile());
    EXPECT_EQ(ui.shownIds(), std::vector<int>{msg::PathTooLong});
    EXPECT_TRUE(work.isOpen());
    EXPECT_EQ(work.dump().size(), 999);
}

} // namespace
} // namespace byzel

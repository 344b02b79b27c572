#include "core/dumpfile/backup.h"
#include "core/dumpfile/workfolder.h"
#include "core/search/dumprewriter.h"
#include "core/settings/memorysettings.h"
#include "core/ui/progress.h"
#include "core/viewmodel/viewstate.h"
#include "core/workflow/documentworkflow.h"
#include "core/workflow/recentfiles.h"
#include "core/workflow/work.h"
#include "quietview.h"
#include "scriptedui.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <filesystem>

namespace byzel {
namespace {

using testing::QuietView;
using testing::ScriptedUi;
using testing::TempFolder;
using Bytes = std::vector<std::uint8_t>;

// Lets writes through until a number of bytes has gone, then fails them.
class FailingRewriter : public DumpRewriter {
public:
    using DumpRewriter::DumpRewriter;
    std::int64_t failAfter = -1;

protected:
    bool writeOut(int fd, std::span<const std::uint8_t> bytes) override {
        if (failAfter >= 0 && m_written + static_cast<std::int64_t>(bytes.size()) > failAfter) {
            (void)DumpRewriter::writeOut(fd,
                                         bytes.first(static_cast<std::size_t>(
                                             std::max<std::int64_t>(failAfter - m_written, 0))));
            return false;
        }
        m_written += static_cast<std::int64_t>(bytes.size());
        return DumpRewriter::writeOut(fd, bytes);
    }

private:
    std::int64_t m_written = 0;
};

// Runs the work in place and cancels it once it reports half of its total done.
bool cancelHalfWay(const Pass& pass) {
    bool cancelled = false;
    (void)pass([&](std::int64_t done, std::int64_t total) {
        if (done * 2 >= total)
            cancelled = true;
        return !cancelled;
    });
    return !cancelled;
}

class DumpRewriterTest : public ::testing::Test {
protected:
    void open(const Bytes& bytes) {
        path = tmp.write("data.bin", bytes);
        ASSERT_TRUE(flow.openAsNewWork(path));
    }
    Bytes onDisk() const { return TempFolder::read(path); }
    // A second hard link makes a rewrite go in place rather than through a new file.
    void giveASecondName() {
        const std::string other = tmp.path("other.bin");
        ::unlink(other.c_str());
        ASSERT_EQ(::link(path.c_str(), other.c_str()), 0);
    }
    // New files left beside the dump file by a rewrite that did not complete.
    int halfWrittenFiles() const {
        int count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(tmp.path()))
            count += entry.path().filename().string().starts_with(".byzel-");
        return count;
    }
    Bytes inWorkingCopy() {
        Bytes b(static_cast<std::size_t>(work.dump().size()));
        (void)work.dump().readAt(0, b);
        return b;
    }
    static std::optional<ByteString> replacementOf(Bytes bytes) {
        return [bytes] { return std::optional<ByteString>(bytes); }();
    }

    TempFolder tmp;
    WorkFolder folder{tmp.path()};
    Work work{folder};
    ViewState viewState;
    QuietView view;
    ScriptedUi ui;
    MemorySettingsStore settings;
    RecentFileList recent{settings};
    DocumentWorkflow flow{work, viewState, view, ui, settings, recent, tmp.path()};
    FailingRewriter rewriter{work, flow, ui, folder, runPassHere};
    std::string path;
};

TEST_F(DumpRewriterTest, ReplaceAllWritesBackupsReloadsAndKeepsTheView) {
    Bytes bytes(16 * 40, 0);
    bytes[0] = bytes[1] = bytes[2] = 0xAA;
    open(bytes);
    viewState.topRow = 12;
    work.searchHit() = {5, 2};
    ui.answer(Yes);
    EXPECT_TRUE(rewriter.ReplaceAllMatches(Bytes{0xAA, 0xAA}, Bytes{0xBB}));
    Bytes expected(bytes.begin() + 1, bytes.end());
    expected[0] = 0xBB;
    EXPECT_EQ(onDisk(), expected);
    EXPECT_EQ(inWorkingCopy(), expected);
    EXPECT_EQ(TempFolder::read(backupPathFor(path)), bytes);
    ASSERT_EQ(ui.shown().size(), 2u);
    EXPECT_EQ(ui.shown()[0].text, "該当 1件\nすべて置換してもよろしいですか");
    EXPECT_EQ(ui.shown()[1].text, "1件 置換終了");
    EXPECT_TRUE(work.modified());
    EXPECT_EQ(viewState.topRow, 12);
    EXPECT_EQ(work.searchHit().start, 5);
    EXPECT_EQ(work.searchHit().length, 2);
}

TEST_F(DumpRewriterTest, ANewFileTakesThePlaceOfAFileKnownByOneName) {
    open({1, 2, 3, 1, 2});
    ::chmod(path.c_str(), 0640);
    struct stat before;
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    // A link in front of the file stays a link.
    const std::string link = tmp.path("link.bin");
    ASSERT_EQ(::symlink(path.c_str(), link.c_str()), 0);
    ASSERT_TRUE(flow.openAsNewWork(link));
    EXPECT_TRUE(rewriter.ReplaceAllMatches(Bytes{1, 2}, Bytes{4}));
    EXPECT_EQ(onDisk(), (Bytes{4, 3, 4}));
    struct stat after, backup, linkItself;
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    ASSERT_EQ(::stat(backupPathFor(link).c_str(), &backup), 0);
    ASSERT_EQ(::lstat(link.c_str(), &linkItself), 0);
    EXPECT_TRUE(S_ISLNK(linkItself.st_mode));
    // The old data became the backup without being copied; the new file has the same mode.
    EXPECT_EQ(backup.st_ino, before.st_ino);
    EXPECT_EQ(TempFolder::read(backupPathFor(link)), (Bytes{1, 2, 3, 1, 2}));
    EXPECT_NE(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(halfWrittenFiles(), 0);
}

TEST_F(DumpRewriterTest, AFileWithASecondNameIsRewrittenInPlace) {
    open({1, 2, 3});
    const std::string other = tmp.path("other.bin");
    ASSERT_EQ(::link(path.c_str(), other.c_str()), 0);
    EXPECT_TRUE(rewriter.ReplaceAllMatches(Bytes{2}, Bytes{5, 5}));
    EXPECT_EQ(onDisk(), (Bytes{1, 5, 5, 3}));
    EXPECT_EQ(TempFolder::read(other), (Bytes{1, 5, 5, 3}));
    EXPECT_EQ(TempFolder::read(backupPathFor(path)), (Bytes{1, 2, 3}));
    EXPECT_EQ(TempFolder::read(folder.filePath(kScratchFileName)), (Bytes{1, 2, 3}));
}

TEST_F(DumpRewriterTest, ReplaceAllEdges) {
    open({1, 2, 1, 2, 7});
    // The byte after the last occurrence stays; an empty replacement removes every occurrence.
    EXPECT_TRUE(rewriter.ReplaceAllMatches(Bytes{1, 2}, Bytes{}));
    EXPECT_EQ(onDisk(), Bytes{7});
    ui.clearRecord();
    EXPECT_FALSE(rewriter.ReplaceAllMatches(Bytes{1}, Bytes{3}));
    EXPECT_EQ(ui.shownIds(), std::vector<int>{msg::NoOccurrences});
    ui.clearRecord();
    EXPECT_FALSE(rewriter.ReplaceAllMatches(Bytes{7, 7}, Bytes{3}));
    EXPECT_EQ(ui.shownIds(), std::vector<int>{msg::PatternLongerThanFile});
}

TEST_F(DumpRewriterTest, DecliningLeavesTheFileAlone) {
    open({1, 2, 3});
    work.searchHit() = {0, 2};
    ui.answer(No).answer(No);
    EXPECT_FALSE(rewriter.ReplaceAllMatches(Bytes{1, 2}, Bytes{9}));
    EXPECT_FALSE(rewriter.ReplaceCurrentHit(Bytes{1, 2}, [] { return replacementOf({9}); }));
    EXPECT_EQ(onDisk(), (Bytes{1, 2, 3}));
    EXPECT_FALSE(std::filesystem::exists(backupPathFor(path)));
    EXPECT_FALSE(work.modified());
}

TEST_F(DumpRewriterTest, ReplaceCurrentHitGrowsShrinksAndRefusesAChangedHit) {
    open({0, 1, 2, 3, 4});
    work.searchHit() = {1, 2};
    EXPECT_TRUE(rewriter.ReplaceCurrentHit(Bytes{1, 2}, [] { return replacementOf({7, 8, 9}); }));
    EXPECT_EQ(onDisk(), (Bytes{0, 7, 8, 9, 3, 4}));
    EXPECT_EQ(ui.shownIds(), (std::vector<int>{msg::AskReplaceOtherLength, msg::ReplaceDone}));
    EXPECT_EQ(ui.shown()[1].text, "置換終了");
    EXPECT_EQ(work.searchHit().length, 2);
    ui.clearRecord();
    // The same hit again: its bytes are not the pattern any more.
    bool asked = false;
    EXPECT_FALSE(rewriter.ReplaceCurrentHit(Bytes{1, 2}, [&] {
        asked = true;
        return replacementOf({});
    }));
    EXPECT_FALSE(asked);
    EXPECT_EQ(ui.shownIds(), std::vector<int>{msg::HitDiffersFromPattern});
    ui.clearRecord();
    // A hit of an offset search is one byte long, but the pattern is what is compared.
    work.searchHit() = {1, 1};
    EXPECT_TRUE(rewriter.ReplaceCurrentHit(Bytes{7, 8}, [] { return replacementOf({}); }));
    EXPECT_EQ(onDisk(), (Bytes{0, 9, 3, 4}));
    ui.clearRecord();
    work.searchHit() = {0, 1};
    EXPECT_TRUE(rewriter.ReplaceCurrentHit(Bytes{0}, [] { return replacementOf({5}); }));
    EXPECT_EQ(ui.shownIds(), (std::vector<int>{msg::AskReplaceHit, msg::ReplaceDone}));
    EXPECT_EQ(inWorkingCopy(), (Bytes{5, 9, 3, 4}));
}

TEST_F(DumpRewriterTest, ReadOnlyFileStaysReadOnlyAfterReplaceAll) {
    open({1, 2, 3});
    ::chmod(path.c_str(), 0444);
    EXPECT_TRUE(rewriter.ReplaceAllMatches(Bytes{2}, Bytes{5}));
    EXPECT_EQ(onDisk(), (Bytes{1, 5, 3}));
    struct stat st;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0444u);
}

TEST_F(DumpRewriterTest, UnwritableFileRefusesReplaceCurrentWithItsPath) {
    // Root writes read-only files, but nobody writes a program while it runs.
    const bool root = ::geteuid() == 0;
    std::filesystem::copy_file(root ? "/bin/sleep" : "/bin/true", tmp.path("data.bin"));
    path = tmp.path("data.bin");
    ASSERT_TRUE(flow.openAsNewWork(path));
    const Bytes before = onDisk();
    pid_t running = -1;
    if (root) {
        char* argv[] = {path.data(), const_cast<char*>("10"), nullptr};
        ASSERT_EQ(::posix_spawn(&running, path.c_str(), nullptr, nullptr, argv, environ), 0);
        ::usleep(200000);
    } else {
        ::chmod(path.c_str(), 0444);
    }
    work.searchHit() = {0, 1};
    EXPECT_FALSE(rewriter.ReplaceCurrentHit(Bytes{0x7F}, [] { return replacementOf({9}); }));
    if (running > 0) {
        ::kill(running, SIGKILL);
        ::waitpid(running, nullptr, 0);
    }
    ASSERT_FALSE(ui.shown().empty());
    EXPECT_EQ(ui.shown().back().id, msg::OpenFailed);
    EXPECT_EQ(ui.shown().back().text, path + "\nファイルのオープン失敗しました");
    EXPECT_FALSE(work.modified());
    EXPECT_EQ(onDisk(), before);
}

TEST_F(DumpRewriterTest, AWriteFailingHalfWayPutsThePreviousContentBack) {
    Bytes bytes(3 << 20);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7);
    for (const bool secondName : {false, true}) {
        SCOPED_TRACE(secondName ? "rewritten in place" : "replaced by a new file");
        open(bytes);
        if (secondName)
            giveASecondName();
        FailingRewriter failing{work, flow, ui, folder, runPassHere};
        failing.failAfter = static_cast<std::int64_t>(bytes.size() / 2);
        ui.clearRecord();
        EXPECT_FALSE(failing.ReplaceAllMatches(Bytes{0}, Bytes{1, 1}));
        EXPECT_EQ(onDisk(), bytes);
        EXPECT_EQ(ui.shown().back().id, msg::WriteFailed);
        EXPECT_FALSE(work.modified());

        work.searchHit() = {0, 1};
        ui.clearRecord();
        EXPECT_FALSE(failing.ReplaceCurrentHit(Bytes{0}, [] { return replacementOf({}); }));
        EXPECT_EQ(onDisk(), bytes);
        EXPECT_EQ(ui.shown().back().id, msg::WriteFailed);
        EXPECT_EQ(halfWrittenFiles(), 0);
    }
}

TEST_F(DumpRewriterTest, ReplaceAllCancelledHalfWayPutsThePreviousContentBack) {
    Bytes bytes(12 << 20, 0);
    for (std::size_t i = 0; i < bytes.size(); i += 1000)
        bytes[i] = 0xEE;
    // A new file is written while counting, then backed up; in place, the scratch copy, the
    // counting, the backup and the writing are passes of their own. A backup reports no
    // progress: stopped, it ends and the stop is heard after it.
    struct Case {
        bool secondName;
        int cancelledRun;
        std::vector<int> shown;
    };
    for (const Case& c :
         {Case{false, 0, {}}, Case{false, 1, {msg::AskReplaceAll}}, Case{true, 0, {}},
          Case{true, 2, {msg::AskReplaceAll}}, Case{true, 3, {msg::AskReplaceAll}}}) {
        SCOPED_TRACE((c.secondName ? "rewritten in place, run " : "replaced by a new file, run ") +
                     std::to_string(c.cancelledRun));
        open(bytes);
        if (c.secondName)
            giveASecondName();
        int runs = 0;
        const PassRunner cancelOne = [&](const Pass& pass) {
            if (runs++ < c.cancelledRun)
                return runPassHere(pass);
            (void)cancelHalfWay(pass);
            return false;
        };
        FailingRewriter cancelled{work, flow, ui, folder, cancelOne};
        ui.clearRecord();
        EXPECT_FALSE(cancelled.ReplaceAllMatches(Bytes{0xEE}, Bytes{1, 2}));
        EXPECT_EQ(runs, c.cancelledRun + 1);
        EXPECT_EQ(onDisk(), bytes);
        EXPECT_EQ(ui.shownIds(), c.shown);
        EXPECT_FALSE(work.modified());
        EXPECT_EQ(halfWrittenFiles(), 0);
    }
}

TEST_F(DumpRewriterTest, ANewFileNotPutInPlaceLeavesFileAndViewAsTheyWere) {
    // The view reads the new file while it goes to the disk. Should it then not take the dump
    // file's place (its name gone, or the user stopping the wait for the disk), the view must
    // not go on showing content that never arrived.
    const Bytes bytes{1, 2, 3, 2};
    for (const bool stopped : {false, true}) {
        for (const bool allOfThem : {true, false}) {
            SCOPED_TRACE(std::string(stopped ? "stopped, " : "name lost, ") +
                         (allOfThem ? "replace all" : "replace current"));
            open(bytes);
            // The last round's backup is a second name of this file, which would be written in
            // place.
            std::filesystem::remove(backupPathFor(path));
            // Both write the new file, make the backup and wait for the disk, in passes of
            // their own; the wait is stopped, or the new file is lost on the way.
            int runs = 0;
            const PassRunner failPuttingInPlace = [&](const Pass& pass) {
                if (runs++ == 2 && stopped)
                    return false;
                const bool ran = pass({});
                for (const auto& entry : std::filesystem::directory_iterator(tmp.path()))
                    if (!stopped && entry.path().filename().string().starts_with(".byzel-"))
                        std::filesystem::remove(entry.path());
                return ran;
            };
            DumpRewriter failing{work, flow, ui, folder, failPuttingInPlace};
            work.searchHit() = {1, 1};
            ui.clearRecord();
            EXPECT_FALSE(
                allOfThem ? failing.ReplaceAllMatches(Bytes{2}, Bytes{9, 9})
                          : failing.ReplaceCurrentHit(Bytes{2}, [] { return replacementOf({9}); }));
            EXPECT_EQ(runs, 3);
            ASSERT_FALSE(ui.shown().empty());
            if (stopped) {
                EXPECT_FALSE(ui.wasShown(msg::WriteFailed));
            } else {
                EXPECT_EQ(ui.shown().back().id, msg::WriteFailed);
                EXPECT_EQ(ui.shown().back().text, path + "\nファイルへの書込みに失敗しました");
            }
            EXPECT_EQ(onDisk(), bytes);
            EXPECT_EQ(inWorkingCopy(), bytes);
            EXPECT_FALSE(work.modified());
            EXPECT_EQ(halfWrittenFiles(), 0);
        }
    }
}

TEST_F(DumpRewriterTest, RowWrittenInPlace) {
    open({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18});
    EXPECT_TRUE(rewriter.writeRow(1, Bytes{0xA0, 0xA1, 0xA2}));
    Bytes expected = onDisk();
    EXPECT_EQ(expected.size(), 19u);
    EXPECT_EQ(expected[16], 0xA0);
    EXPECT_EQ(expected[18], 0xA2);
    EXPECT_TRUE(work.modified());
    EXPECT_EQ(inWorkingCopy(), expected);

    ui.answer(No);
    EXPECT_FALSE(rewriter.writeRow(0, Bytes(16, 0xFF)));
    EXPECT_EQ(onDisk(), expected);

    // Stopped while the backup is made: nothing is written.
    DumpRewriter stopped{work, flow, ui, folder, [](const Pass& pass) { return !pass({}); }};
    work.storeModified(false);
    ui.clearRecord();
    EXPECT_FALSE(stopped.writeRow(0, Bytes(16, 0xFF)));
    EXPECT_EQ(onDisk(), expected);
    EXPECT_EQ(ui.shownIds(), std::vector<int>{msg::AskWriteRow});
    EXPECT_FALSE(work.modified());
}

TEST_F(DumpRewriterTest, RowRefusedOnAnUnwritableFileAfterTheBackup) {
    open(Bytes(20, 3));
    const Bytes before = onDisk();
    if (::geteuid() == 0)
        std::filesystem::remove(path);
    else
        ::chmod(path.c_str(), 0444);
    work.storeModified(false);
    EXPECT_FALSE(rewriter.writeRow(0, Bytes(16, 0xFF)));
    EXPECT_EQ(ui.shown().back().id, msg::OpenFailed);
    EXPECT_FALSE(work.modified());
    if (::geteuid() != 0) {
        EXPECT_EQ(onDisk(), before);
        EXPECT_EQ(TempFolder::read(backupPathFor(path)), before);
    }
}

TEST_F(DumpRewriterTest, RowWriteFailingPutsThePreviousContentBack) {
    open(Bytes(40, 3));
    rewriter.failAfter = 4;
    EXPECT_FALSE(rewriter.writeRow(1, Bytes(16, 0xFF)));
    EXPECT_EQ(onDisk(), Bytes(40, 3));
    EXPECT_EQ(ui.shown().back().id, msg::WriteFailed);
}

} // namespace
} // namespace byzel

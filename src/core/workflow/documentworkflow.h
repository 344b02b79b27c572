#pragma once

#include "core/dumpfile/uniquefd.h"
#include "core/types.h"
#include "core/ui/progress.h"

#include <optional>
#include <string>
#include <vector>

namespace byzel {

class RecentFileList;
class SettingsStore;
class UiPort;
class Work;
class WorkView;
struct ViewState;

// How a save that the user asked for ended.
enum class SaveOutcome {
    Saved,
    // The user cancelled the chooser or declined to overwrite an existing file.
    Cancelled,
    // Writing failed; the reason was already shown.
    Failed,
};

// The life of the one piece of work: starting it on a dump file, opening and saving marker
// files, asking before unsaved changes are discarded, finding a dump file that moved, dropped
// files and the recent-file list. Every question and chooser goes through the UiPort.
class DocumentWorkflow {
public:
    // programFolder is where the running program lies; its "SampleData" folder is searched
    // for dump files that moved.
    DocumentWorkflow(Work& work, ViewState& viewState, WorkView& view, UiPort& ui,
                     SettingsStore& settings, RecentFileList& recentFiles,
                     std::string programFolder);

    // Offers to save a changed work. False when the user cancelled or a save that the user
    // asked for failed, so the caller keeps the work.
    [[nodiscard]] bool confirmSave();
    // Asks as confirmSave does, then closes the dump file and forgets markers and names. The
    // two display switches stay for the next work.
    [[nodiscard]] bool closeWork();
    // A dump file chosen by the user, remembered as the next chooser's start; empty on cancel.
    [[nodiscard]] std::string chooseDumpFile();

    void newWork();
    void openWork();
    // Replaces the work with the marker file at path. A file that cannot be read leaves the
    // current work as it was.
    bool loadMarkerFile(const std::string& path);
    // Starts an unnamed work on the dump file at path, which must not be too long to store.
    bool openAsNewWork(const std::string& path);

    [[nodiscard]] bool canSave() const;
    bool saveWork();
    SaveOutcome saveWorkAs();

    void dropFiles(const std::vector<std::string>& paths);
    // Whether the program may close now.
    [[nodiscard]] bool confirmExit() { return confirmSave(); }
    bool openRecentFile(int n);
    // Lays the current markers over the dump file at path, which may be another one or the same
    // one rewritten. keepView keeps the top row (as far as the file still reaches), as after a
    // rewrite; otherwise the view starts at the top. content is the file a rewrite is about to
    // put in path's place (see DumpFile::open).
    bool reopenDumpFile(const std::string& path, bool keepView = false, UniqueFd content = {});
    // Takes over the dump file's working copy once its background copy has ended. When the file
    // changed meanwhile the user is told and the file is opened again, the view kept.
    void settleDumpCopy();
    // Waits through runner (which may show progress and let the user stop) until the dump
    // file is read from its complete working copy, or from itself when no copy can be made.
    // False when the user stopped the wait or the dump file could not be opened again.
    [[nodiscard]] bool finishDumpCopy(const PassRunner& runner);

    // Takes the markers of another marker file into the open work, which keeps its dump file,
    // its dump file path and its switches and becomes unnamed and changed. True when quoted.
    bool quoteMarkers();
    // Lays the markers over another dump file chosen by the user. True when it was opened.
    bool replaceDumpFile();

private:
    // Opens the dump file for the current work: the remark column goes back to the start, the
    // top row to topRow, and the view lays itself out.
    bool openDumpFile(const std::string& path, Offset topRow = 0, UniqueFd content = {});
    struct FoundDumpFile {
        std::string path;
        // Found somewhere else than the marker file says.
        bool relocated = false;
    };
    // Opens the stored dump file of a marker file just read, or finds where it went.
    std::optional<FoundDumpFile> locateDumpFile(const std::string& markerFilePath);
    // Closes the dump file and forgets the markers and names; the display switches stay.
    void forgetWork();
    // A marker file chosen by the user; empty on cancel or for a name without ".mkg".
    std::string chooseMarkerFile();
    bool refuseLongPath(const std::string& path);

    Work& m_work;
    ViewState& m_viewState;
    WorkView& m_view;
    UiPort& m_ui;
    SettingsStore& m_settings;
    RecentFileList& m_recentFiles;
    std::string m_programFolder;
};

} // namespace byzel

#include "core/workflow/documentworkflow.h"

#include "core/settings/settings.h"
#include "core/text/messages.h"
#include "core/ui/uiport.h"
#include "core/viewmodel/viewstate.h"
#include "core/workflow/recentfiles.h"
#include "core/workflow/work.h"
#include "core/workflow/workview.h"

#include <algorithm>
#include <utility>

namespace byzel {
namespace {

constexpr std::string_view kLastOpenFile = "OpenFile";

} // namespace

DocumentWorkflow::DocumentWorkflow(Work& work, ViewState& viewState, WorkView& view, UiPort& ui,
                                   SettingsStore& settings, RecentFileList& recentFiles,
                                   std::string programFolder)
    : m_work(work), m_viewState(viewState), m_view(view), m_ui(ui), m_settings(settings),
      m_recentFiles(recentFiles), m_programFolder(std::move(programFolder)) {}

bool DocumentWorkflow::confirmSave() {
    if (!m_work.isOpen() || !m_work.modified())
        return true;
    const int id = m_work.isUnnamed() ? msg::AskSaveUnnamed : msg::AskSaveChanges;
    switch (showMessage(m_ui, id, {}, BoxStyle::YesNoCancel)) {
    case Cancel:
        return false;
    case No:
        return true;
    default:
        // A save that fails keeps the work open, so nothing unsaved is thrown away; a chooser
        // the user cancels means "do not save" and lets the work go.
        if (!m_work.isUnnamed())
            return saveWork();
        return saveWorkAs() != SaveOutcome::Failed;
    }
}

bool DocumentWorkflow::closeWork() {
    if (!m_work.isOpen())
        return true;
    if (m_work.modified()) {
        if (!confirmSave())
            return false;
        m_work.storeModified(false);
    }
    m_view.hidePopup();
    forgetWork();
    return true;
}

void DocumentWorkflow::forgetWork() {
    m_work.dump().close();
    m_work.markers().clear();
    m_work.header().clearDumpPath();
    m_work.setMarkerFilePath(std::string(kUnnamedMarkerFile));
    m_work.searchHit() = {};
    m_view.layOut();
}

std::string DocumentWorkflow::chooseDumpFile() {
    FileDialogRequest request;
    request.title = "ダンプリストを表示するファイルを指定";
    request.filter = "すべてのファイル(*.*)|*.*||";
    request.initialPath = m_settings.readText(section::Last, kLastOpenFile);
    std::string path = m_ui.chooseOpenFile(request);
    if (!path.empty())
        m_settings.writeText(section::Last, kLastOpenFile, path);
    return path;
}

void DocumentWorkflow::newWork() {
    if (!confirmSave())
        return;
    const std::string path = chooseDumpFile();
    if (path.empty() || !closeWork())
        return;
    openAsNewWork(path);
}

std::string DocumentWorkflow::chooseMarkerFile() {
    FileDialogRequest request;
    request.title = "マーカファイルを指定";
    request.filter = "マーカファイル(*.mkg)|*.mkg||";
    request.defaultExtension = "mkg";
    std::string path = m_ui.chooseOpenFile(request);
    return hasMarkerFileExtension(path) ? path : std::string();
}

void DocumentWorkflow::openWork() {
    const std::string path = chooseMarkerFile();
    if (path.empty())
        return;
    if (loadMarkerFile(path))
        m_recentFiles.add(path);
}

bool DocumentWorkflow::openAsNewWork(const std::string& path) {
    if (refuseLongPath(path) || !openDumpFile(path))
        return false;
    (void)m_work.header().setDumpPath(path);
    m_work.markers().clear();
    m_work.setMarkerFilePath(std::string(kUnnamedMarkerFile));
    m_work.setModified(false);
    return true;
}

bool DocumentWorkflow::openDumpFile(const std::string& path, Offset topRow, UniqueFd content) {
    if (!m_work.dump().open(path, m_ui, std::move(content)))
        return false;
    // A rewritten file may have shrunk: the top row stays on the last page.
    const Offset lastTop = m_work.dump().totalRows() - m_viewState.visibleRows;
    m_viewState.topRow = std::clamp<Offset>(topRow, 0, std::max<Offset>(lastTop, 0));
    m_viewState.remarkStart = 0;
    m_view.layOut();
    return true;
}

bool DocumentWorkflow::reopenDumpFile(const std::string& path, bool keepView, UniqueFd content) {
    const Offset topRow = keepView ? m_viewState.topRow : 0;
    m_work.dump().close();
    m_work.header().clearDumpPath();
    if (refuseLongPath(path)) {
        m_view.layOut();
        return false;
    }
    (void)m_work.header().setDumpPath(path);
    if (openDumpFile(path, topRow, std::move(content)))
        return true;
    m_view.layOut();
    return false;
}

bool DocumentWorkflow::refuseLongPath(const std::string& path) {
    if (storedPathLength(path) <= kMaxStoredPathBytes)
        return false;
    showMessage(m_ui, msg::PathTooLong, path + "\n", BoxStyle::Error);
    return true;
}

} // namespace byzel

#include "core/workflow/documentworkflow.h"

#include "core/markerfile/markerfile.h"
#include "core/text/messages.h"
#include "core/workflow/recentfiles.h"
#include "core/ui/uiport.h"
#include "core/workflow/work.h"
#include "core/workflow/worktitle.h"

#include <filesystem>

namespace byzel {
namespace {

// The dump file's name with ".mkg" in place of its extension, so the marker file is proposed
// beside the dump file.
std::string proposedMarkerFileName(const std::string& dumpPath) {
    std::string name(fileNameOf(dumpPath));
    if (const auto dot = name.find_last_of('.'); dot != std::string::npos)
        name.erase(dot);
    return name + ".mkg";
}

} // namespace

bool DocumentWorkflow::canSave() const {
    return m_work.isOpen() && !m_work.isUnnamed();
}

bool DocumentWorkflow::saveWork() {
    const std::string path = m_work.markerFilePath();
    if (!writeMarkerFile(path, m_work.header(), m_work.markers(), false, m_ui))
        return false;
    m_work.setModified(false);
    m_recentFiles.add(path);
    return true;
}

SaveOutcome DocumentWorkflow::saveWorkAs() {
    const auto dumpPaths = m_work.header().dumpPathCandidates();
    FileDialogRequest request;
    request.title = "マーカを保存するファイルを指定";
    request.filter = "マーカファイル(*.mkg)|*.mkg||";
    request.defaultExtension = "mkg";
    if (!dumpPaths.empty()) {
        request.initialPath = dumpPaths.front();
        request.proposedName = proposedMarkerFileName(dumpPaths.front());
    }
    const std::string path = m_ui.chooseSaveFile(request);
    if (path.empty())
        return SaveOutcome::Cancelled;

    std::error_code ignored;
    if (std::filesystem::exists(path, ignored) &&
        showMessage(m_ui, msg::AskOverwriteFile, {}, BoxStyle::YesNo) == No)
        return SaveOutcome::Cancelled;
    if (!writeMarkerFile(path, m_work.header(), m_work.markers(), false, m_ui))
        return SaveOutcome::Failed;
    // Named only once saved: a name the user refused to overwrite must not become the target
    // of a later silent save.
    m_work.setMarkerFilePath(path);
    m_work.setModified(false);
    showMessage(m_ui, msg::SavedMarkerFile, {}, BoxStyle::Information);
    m_recentFiles.add(path);
    return SaveOutcome::Saved;
}

} // namespace byzel

#include "core/workflow/documentworkflow.h"

#include "core/text/messages.h"
#include "core/workflow/recentfiles.h"
#include "core/ui/uiport.h"
#include "core/workflow/work.h"

#include <filesystem>

namespace byzel {

void DocumentWorkflow::dropFiles(const std::vector<std::string>& paths) {
    if (paths.size() != 1) {
        showMessage(m_ui, msg::DropOneFile, {}, BoxStyle::Error);
        return;
    }
    const std::string& path = paths.front();
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) {
        showMessage(m_ui, msg::FolderRefused, {}, BoxStyle::Information);
        return;
    }
    if (hasMarkerFileExtension(path)) {
        loadMarkerFile(path);
        return;
    }
    if (m_work.isOpen()) {
        switch (showMessage(m_ui, msg::AskNewWorkOrSwapDump, {}, BoxStyle::YesNoCancel)) {
        case Cancel:
            return;
        case No:
            // The markers stay, laid over the new file's bytes.
            reopenDumpFile(path);
            return;
        default:
            break;
        }
    }
    if (closeWork())
        openAsNewWork(path);
}

bool DocumentWorkflow::openRecentFile(int n) {
    const std::string path = m_recentFiles.entry(n);
    if (path.empty())
        return false;
    std::error_code ignored;
    if (!std::filesystem::exists(path, ignored)) {
        if (showMessage(m_ui, msg::AskRemoveRecent, path + "\n", BoxStyle::YesNo) == Yes)
            m_recentFiles.remove(n);
        return false;
    }
    m_recentFiles.add(path);
    return loadMarkerFile(path);
}

} // namespace byzel

#include "core/workflow/documentworkflow.h"

#include "core/workflow/dumprelocation.h"
#include "core/markerfile/markerfile.h"
#include "core/text/messages.h"
#include "core/ui/uiport.h"
#include "core/workflow/work.h"
#include "core/workflow/workview.h"

namespace byzel {

bool DocumentWorkflow::loadMarkerFile(const std::string& path) {
    // Read first: a file that is not a marker file must not cost the user the current work.
    if (!readMarkerFile(path, m_ui) || !closeWork())
        return false;
    // Read again: closing may just have saved the current work into this very file.
    auto contents = readMarkerFile(path, m_ui);
    if (!contents)
        return false;
    m_work.header() = contents->header;
    m_work.markers().assign(std::move(contents->records));

    const auto found = locateDumpFile(path);
    if (!found) {
        forgetWork();
        return false;
    }
    const bool relocated = found->relocated;
    if (relocated && !m_work.header().setDumpPath(found->path)) {
        showMessage(m_ui, msg::PathTooLong, found->path + "\n", BoxStyle::Error);
        forgetWork();
        return false;
    }
    if (!m_work.markers().isSorted())
        m_work.markers().SortMarkPosition(m_work.markers().count());
    m_view.repaint();
    m_work.setMarkerFilePath(path);
    // A dump file found elsewhere leaves the work changed, so that saving records the new place.
    m_work.setModified(relocated);
    return true;
}

std::optional<DocumentWorkflow::FoundDumpFile>
DocumentWorkflow::locateDumpFile(const std::string& markerFilePath) {
    for (auto& place : dumpFilePlaces(m_work.header(), m_programFolder, markerFilePath))
        if (openDumpFile(place.path))
            return FoundDumpFile{std::move(place.path), place.moved};
    if (showMessage(m_ui, msg::AskLocateDumpFile, {}, BoxStyle::YesNo) != Yes)
        return std::nullopt;
    std::string chosen = chooseDumpFile();
    if (chosen.empty() || !openDumpFile(chosen))
        return std::nullopt;
    return FoundDumpFile{std::move(chosen), true};
}

} // namespace byzel

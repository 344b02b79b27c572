#include "core/workflow/documentworkflow.h"

#include "core/markerfile/markerfile.h"
#include "core/text/messages.h"
#include "core/ui/uiport.h"
#include "core/workflow/recentfiles.h"
#include "core/workflow/work.h"
#include "core/workflow/workview.h"

namespace byzel {

bool DocumentWorkflow::quoteMarkers() {
    if (!m_work.markers().empty() &&
        showMessage(m_ui, msg::AskOverwriteMarkers, {}, BoxStyle::YesNo) != Yes)
        return false;
    const std::string path = chooseMarkerFile();
    if (path.empty())
        return false;
    if (m_work.modified() && !confirmSave())
        return false;
    // Read before anything is dropped: a file that cannot be read costs the user nothing.
    auto contents = readMarkerFile(path, m_ui);
    if (!contents)
        return false;

    m_work.markers().assign(std::move(contents->records));
    m_work.setMarkerFilePath(std::string(kUnnamedMarkerFile));
    m_work.searchHit() = {};
    m_view.hidePopup();
    if (!m_work.markers().isSorted())
        m_work.markers().SortMarkPosition(m_work.markers().count());
    m_view.repaint();
    // The title names no marker file and shows no change mark, yet the quoted markers are
    // unsaved: the flag alone says so.
    m_work.setModified(false);
    m_work.storeModified(true);
    return true;
}

bool DocumentWorkflow::replaceDumpFile() {
    const std::string path = chooseDumpFile();
    // A path the marker file cannot hold is refused while the current dump file is still open:
    // with it closed the work would no longer count as open, and its markers could be dropped
    // without the save question.
    if (path.empty() || refuseLongPath(path) || !reopenDumpFile(path))
        return false;
    m_work.storeModified(true);
    return true;
}

} // namespace byzel

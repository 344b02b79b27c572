#include "core/workflow/documentworkflow.h"

#include "core/text/messages.h"
#include "core/ui/uiport.h"
#include "core/workflow/work.h"
#include "core/workflow/workview.h"

namespace byzel {

void DocumentWorkflow::settleDumpCopy() {
    switch (m_work.dump().settleWorkingCopy()) {
    case CopyOutcome::SourceChanged: {
        const std::string path = m_work.dump().path();
        showMessage(m_ui, msg::ChangedWhileCopying, path + "\n", BoxStyle::Information);
        reopenDumpFile(path, true);
        break;
    }
    case CopyOutcome::Switched:
    case CopyOutcome::Failed:
        // Nothing the view shows changed; whatever shows the copy's progress follows.
        m_view.repaint();
        break;
    case CopyOutcome::None:
        break;
    }
}

bool DocumentWorkflow::finishDumpCopy(const PassRunner& runner) {
    while (m_work.dump().copyPending()) {
        const DumpFile& dump = m_work.dump();
        if (!runner(
                [&dump](const ProgressFn& progress) { return dump.waitForWorkingCopy(progress); }))
            return false;
        settleDumpCopy();
    }
    return m_work.isOpen();
}

} // namespace byzel

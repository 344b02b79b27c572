#include "core/workflow/work.h"

namespace byzel {

void Work::setModified(bool flag) {
    m_modified = flag;
    if (m_titleListener)
        m_titleListener(title());
}

} // namespace byzel

#include "cli/commandoutput.h"

#include "core/dumpfile/filecopy.h"
#include "core/text/messages.h"
#include "core/ui/uiport.h"

#include <unistd.h>

namespace byzel::cli {
namespace {

constexpr std::size_t kWritePiece = 256 * 1024;

} // namespace

bool CommandOutput::open(const std::string& path, UiPort& ui) {
    if (path.empty()) {
        m_fd = STDOUT_FILENO;
        return true;
    }
    if (!m_file.open(path)) {
        showMessage(ui, msg::OpenFailed, path + "\n");
        return false;
    }
    m_fd = m_file.fd();
    return true;
}

bool CommandOutput::write(std::string_view text) {
    if (m_failed)
        return false;
    m_pending += text;
    return m_pending.size() < kWritePiece || flush();
}

bool CommandOutput::flush() {
    if (!m_failed && !m_pending.empty())
        m_failed = !writeAll(m_fd, m_pending.data(), m_pending.size());
    m_pending.clear();
    return !m_failed;
}

bool CommandOutput::finish(UiPort& ui) {
    const bool written = flush() && (m_fd == STDOUT_FILENO || m_file.commit());
    if (!written) {
        m_file.discard();
        showMessage(ui, msg::WriteFailed);
    }
    return written;
}

} // namespace byzel::cli

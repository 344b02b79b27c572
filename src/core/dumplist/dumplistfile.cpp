#include "core/dumplist/dumplistfile.h"

#include "core/dumpfile/filecopy.h"

#include <algorithm>
#include <cstring>
#include <unistd.h>

namespace byzel {
namespace {

constexpr size_t kBufferSize = 256 * 1024;
constexpr std::string_view kLineEnd = "\r\n";

} // namespace

DumpListFile::DumpListFile() : m_buffer(kBufferSize) {}

bool DumpListFile::open(const std::string& path) {
    m_attached.reset();
    return start(m_file.open(path) ? m_file.fd() : -1);
}

bool DumpListFile::attach(int fd) {
    // A copy of the descriptor, so that closing ours leaves the caller's one open.
    m_file.discard();
    m_attached.reset(::dup(fd));
    return start(m_attached.get());
}

bool DumpListFile::start(int fd) {
    m_fd = fd;
    m_used = 0;
    m_failed = false;
    m_cancelled = false;
    m_rowsWritten = 0;
    return m_fd >= 0;
}

bool DumpListFile::close() {
    if (m_fd < 0)
        return false;
    flush();
    m_fd = -1;
    if (m_failed) {
        m_file.discard();
        m_attached.reset();
        return false;
    }
    // Closing can report a write the system had deferred.
    return m_attached.valid() ? m_attached.close() : m_file.commit();
}

void DumpListFile::headerLines(std::string_view header, std::string_view rule) {
    put(header);
    put(kLineEnd);
    put(rule);
    put(kLineEnd);
}

bool DumpListFile::row(const DumpRow& row) {
    if (m_recoder) {
        m_recoded.clear();
        m_recoder->recode(row, m_recoded);
        put(m_recoded);
    } else {
        put(row.line);
        put(row.remarkEntry);
    }
    put(kLineEnd);
    ++m_rowsWritten;
    return !m_failed;
}

void DumpListFile::put(std::string_view bytes) {
    if (bytes.size() > m_buffer.size() - m_used)
        flush();
    // A line, even recoded, is far smaller than the buffer, so one flush always makes room.
    // std::copy, not memcpy: an empty remark entry may come without any storage behind it.
    std::copy(bytes.begin(), bytes.end(), m_buffer.begin() + static_cast<std::ptrdiff_t>(m_used));
    m_used += bytes.size();
}

void DumpListFile::flush() {
    if (m_used > 0 && !m_failed && m_fd >= 0 && !writeAll(m_fd, m_buffer.data(), m_used))
        m_failed = true;
    m_used = 0;
    // A stop counts as a failure: nothing more is written and the file is dropped.
    if (!m_failed && m_progress && !m_progress(m_rowsWritten, m_rows)) {
        m_cancelled = true;
        m_failed = true;
    }
}

} // namespace byzel

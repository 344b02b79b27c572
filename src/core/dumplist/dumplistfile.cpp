#include "core/dumplist/dumplistfile.h"

#include <cstring>
#include <unistd.h>

namespace byzel {
namespace {

constexpr size_t kBufferSize = 256 * 1024;
constexpr std::string_view kLineEnd = "\r\n";

} // namespace

DumpListFile::DumpListFile() : m_buffer(kBufferSize) {}

bool DumpListFile::open(const std::string& path) {
    m_file.reset(std::fopen(path.c_str(), "wb"));
    return start();
}

bool DumpListFile::attach(int fd) {
    // A copy of the descriptor, so that closing the stream leaves the caller's one open.
    const int copy = ::dup(fd);
    if (copy < 0)
        return false;
    m_file.reset(::fdopen(copy, "wb"));
    if (!m_file)
        ::close(copy);
    return start();
}

bool DumpListFile::start() {
    if (!m_file)
        return false;
    // Our own buffer already gathers the lines into large blocks.
    std::setvbuf(m_file.get(), nullptr, _IONBF, 0);
    m_used = 0;
    m_failed = false;
    return true;
}

bool DumpListFile::close() {
    if (!m_file)
        return false;
    flush();
    // Closing can report a write the system had deferred.
    const bool closed = std::fclose(m_file.release()) == 0;
    return closed && !m_failed;
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
    return !m_failed;
}

void DumpListFile::put(std::string_view bytes) {
    if (bytes.size() > m_buffer.size() - m_used)
        flush();
    // A line, even recoded, is far smaller than the buffer, so one flush always makes room.
    std::memcpy(m_buffer.data() + m_used, bytes.data(), bytes.size());
    m_used += bytes.size();
}

void DumpListFile::flush() {
    if (m_used > 0 && !m_failed && m_file &&
        std::fwrite(m_buffer.data(), 1, m_used, m_file.get()) != m_used)
        m_failed = true;
    m_used = 0;
}

} // namespace byzel

#include "cli/filesource.h"

#include "cli/commands.h"
#include "cli/readfile.h"
#include "core/dumpfile/dumpgeometry.h"
#include "core/ui/consoleui.h"
#include "core/ui/uiport.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace byzel::cli {

FileSource::OpenResult FileSource::open(const std::string& path, UiPort& ui) {
    m_fd.reset();
    m_size = 0;
    m_readFailed = false;
    m_path.clear();
    struct stat st;
    if (::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode))
        return OpenResult::Missing;
    const std::string pathLine = path + "\n";
    // Not blocking: a pipe in the file's place must not hang the tool.
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!fd.valid() || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        showMessage(ui, msg::OpenFailed, pathLine);
        return OpenResult::Failed;
    }
    if (st.st_size >= kMaxDumpFileSize) {
        showMessage(ui, msg::TooLarge, pathLine);
        return OpenResult::Failed;
    }
    ::posix_fadvise(fd.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    m_fd = std::move(fd);
    m_size = st.st_size;
    m_path = path;
    return OpenResult::Opened;
}

std::int32_t FileSource::totalRows() const {
    return totalRowsFor(m_size);
}

std::int32_t FileSource::readAt(Offset offset, std::span<std::uint8_t> buffer) const {
    if (!m_fd.valid() || offset < 0 || offset >= m_size)
        return 0;
    const auto wanted = static_cast<std::size_t>(
        std::min<std::int64_t>(static_cast<std::int64_t>(buffer.size()), m_size - offset));
    for (;;) {
        const ssize_t got = ::pread(m_fd.get(), buffer.data(), wanted, offset);
        if (got >= 0)
            return static_cast<std::int32_t>(got);
        if (errno != EINTR) {
            m_readFailed = true;
            return 0;
        }
    }
}

std::optional<int> openFileArgument(FileSource& source, const std::string& file, ConsoleUi& ui) {
    switch (source.open(file, ui)) {
    case FileSource::OpenResult::Opened:
        return std::nullopt;
    case FileSource::OpenResult::Missing:
        ui.error(file + (isFolder(file) ? ": is a folder" : ": no such file"));
        return FileFailed;
    case FileSource::OpenResult::Failed:
        break;
    }
    return FileFailed;
}

} // namespace byzel::cli

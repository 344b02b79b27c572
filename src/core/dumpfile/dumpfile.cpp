#include "core/dumpfile/dumpfile.h"

#include "core/dumpfile/filecopy.h"
#include "core/markerfile/headerblock.h"
#include "core/ui/uiport.h"
#include "core/dumpfile/workfolder.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace byzel {
namespace {

constexpr std::size_t kLargeRead = 64 << 10;

} // namespace

DumpFile::DumpFile(WorkFolder& folder) : m_folder(folder) {}

DumpFile::~DumpFile() {
    close();
}

void DumpFile::close() {
    if (m_map)
        ::munmap(const_cast<std::uint8_t*>(m_map), static_cast<std::size_t>(m_size));
    m_map = nullptr;
    m_fd.reset();
    m_size = 0;
    m_readingPath.clear();
    m_path.clear();
}

bool DumpFile::open(const std::string& path, UiPort& ui) {
    close();
    struct stat st;
    if (::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode))
        return false;
    const std::string pathLine = path + "\n";
    // Not blocking: a pipe put in the file's place must not hang the program.
    UniqueFd source(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!source.valid() || ::fstat(source.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        showMessage(ui, msg::OpenFailed, pathLine);
        return false;
    }
    if (st.st_size >= kMaxDumpFileSize) {
        showMessage(ui, msg::TooLarge, pathLine);
        return false;
    }
    m_path = path;
    if (openWorkingCopy(source.get()))
        return true;
    m_fd = std::move(source);
    m_size = st.st_size;
    m_readingPath = path;
    return true;
}

bool DumpFile::openWorkingCopy(int source) {
    const std::string copyPath = m_folder.filePath(kWorkingCopyName);
    if (copyPath.empty())
        return false;
    // Copying the working copy onto itself would empty it: read it as it is instead.
    struct stat old, from;
    if (::lstat(copyPath.c_str(), &old) == 0 && ::fstat(source, &from) == 0 &&
        old.st_dev == from.st_dev && old.st_ino == from.st_ino)
        return false;
    ::unlink(copyPath.c_str());
    UniqueFd copy(::open(copyPath.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    struct stat st;
    if (!copy.valid() || !copyFileData(source, copy.get()) || ::fstat(copy.get(), &st) != 0 ||
        st.st_size >= kMaxDumpFileSize) {
        ::unlink(copyPath.c_str());
        return false;
    }
    if (st.st_size > 0) {
        void* map = ::mmap(nullptr, static_cast<std::size_t>(st.st_size), PROT_READ, MAP_PRIVATE,
                           copy.get(), 0);
        if (map != MAP_FAILED)
            m_map = static_cast<const std::uint8_t*>(map);
    }
    m_fd = std::move(copy);
    m_size = st.st_size;
    m_readingPath = copyPath;
    return true;
}

bool DumpFile::reopen(const std::string& path, UiPort& ui) {
    close();
    if (storedPathLength(path) > kMaxStoredPathBytes) {
        showMessage(ui, msg::PathTooLong, path + "\n");
        return false;
    }
    return open(path, ui);
}

std::int32_t DumpFile::readAt(Offset offset, std::span<std::uint8_t> buffer) const {
    if (!isOpen() || offset < 0 || offset >= m_size)
        return 0;
    const auto wanted = static_cast<std::size_t>(
        std::min<std::int64_t>(static_cast<std::int64_t>(buffer.size()), m_size - offset));
    // Large reads, as scans make them, copy from the page cache: faulting the mapping in page
    // by page costs more than the copy.
    if (m_map && wanted < kLargeRead) {
        std::memcpy(buffer.data(), m_map + offset, wanted);
        return static_cast<std::int32_t>(wanted);
    }
    std::size_t got = 0;
    while (got < wanted) {
        ssize_t n = ::pread(m_fd.get(), buffer.data() + got, wanted - got,
                            static_cast<off_t>(offset) + static_cast<off_t>(got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    return static_cast<std::int32_t>(got);
}

} // namespace byzel

#include "core/dumpfile/dumpfile.h"

#include "core/dumpfile/filecopy.h"
#include "core/dumpfile/workfolder.h"
#include "core/markerfile/headerblock.h"
#include "core/ui/uiport.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <utility>

namespace byzel {
namespace {

constexpr std::size_t kLargeRead = 64 << 10;

} // namespace

DumpFile::DumpFile(WorkFolder& folder) : m_folder(folder) {}

DumpFile::~DumpFile() {
    close();
}

void DumpFile::close() {
    // A partial copy is of no use to anyone; a complete one goes with the next open or the
    // work folder.
    const bool partial = m_copier != nullptr;
    m_copier.reset();
    if (const std::uint8_t* map = m_map.exchange(nullptr))
        ::munmap(const_cast<std::uint8_t*>(map), static_cast<std::size_t>(m_size));
    m_readFd = -1;
    if (partial)
        dropCopy();
    m_copy.reset();
    m_copyPath.clear();
    m_source.reset();
    m_size = 0;
    m_modified = {};
    m_readingPath.clear();
    m_path.clear();
}

bool DumpFile::open(const std::string& path, UiPort& ui, UniqueFd content) {
    close();
    struct stat st;
    if (!content.valid() && (::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)))
        return false;
    const std::string pathLine = path + "\n";
    // Not blocking: a pipe put in the file's place must not hang the program.
    UniqueFd source = content.valid()
                          ? std::move(content)
                          : UniqueFd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!source.valid() || ::fstat(source.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        showMessage(ui, msg::OpenFailed, pathLine);
        return false;
    }
    if (st.st_size >= kMaxDumpFileSize) {
        showMessage(ui, msg::TooLarge, pathLine);
        return false;
    }
    m_path = path;
    m_source = std::move(source);
    m_size = st.st_size;
    m_modified = st.st_mtim;
    m_readingPath = path;
    m_readFd = m_source.get();
    startWorkingCopy();
    return true;
}

void DumpFile::startWorkingCopy() {
    const std::string copyPath = m_folder.filePath(kWorkingCopyName);
    if (copyPath.empty())
        return;
    // Copying the working copy onto itself would empty it: read it as it is instead.
    struct stat old, from;
    if (::lstat(copyPath.c_str(), &old) == 0 && ::fstat(m_source.get(), &from) == 0 &&
        old.st_dev == from.st_dev && old.st_ino == from.st_ino)
        return;
    ::unlink(copyPath.c_str());
    m_copy.reset(::open(copyPath.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (!m_copy.valid())
        return;
    m_copyPath = copyPath;
    if (m_size >= m_backgroundFrom) {
        m_copier = std::make_unique<BackgroundCopy>(m_source.get(), m_copy.get(), m_pacing, [this] {
            if (m_copyEnded)
                m_copyEnded();
        });
        return;
    }
    // Small files are copied at once, in less time than a window takes to paint. What was
    // copied is what is shown, even should the file have changed since it was measured.
    struct stat st;
    if (!copyFileData(m_source.get(), m_copy.get()) || ::fstat(m_copy.get(), &st) != 0 ||
        st.st_size >= kMaxDumpFileSize) {
        dropCopy();
        return;
    }
    m_size = st.st_size;
    if (!switchToCopy())
        dropCopy();
}

bool DumpFile::switchToCopy() {
    struct stat st;
    if (::fstat(m_copy.get(), &st) != 0 || st.st_size != m_size)
        return false;
    if (m_size > 0) {
        void* map = ::mmap(nullptr, static_cast<std::size_t>(m_size), PROT_READ, MAP_PRIVATE,
                           m_copy.get(), 0);
        if (map != MAP_FAILED)
            m_map = static_cast<const std::uint8_t*>(map);
    }
    m_readFd = m_copy.get();
    m_readingPath = m_copyPath;
    return true;
}

void DumpFile::dropCopy() {
    m_copy.reset();
    if (!m_copyPath.empty())
        ::unlink(m_copyPath.c_str());
    m_copyPath.clear();
}

bool DumpFile::waitForWorkingCopy(const ProgressFn& progress) const {
    return !m_copier || m_copier->wait(progress);
}

CopyOutcome DumpFile::settleWorkingCopy() {
    if (!m_copier || !m_copier->finished())
        return CopyOutcome::None;
    const bool copied = m_copier->succeeded();
    m_copier.reset();
    struct stat now;
    const bool unchanged = ::fstat(m_source.get(), &now) == 0 && now.st_size == m_size &&
                           now.st_mtim.tv_sec == m_modified.tv_sec &&
                           now.st_mtim.tv_nsec == m_modified.tv_nsec;
    if (!unchanged) {
        dropCopy();
        return CopyOutcome::SourceChanged;
    }
    if (copied && switchToCopy())
        return CopyOutcome::Switched;
    dropCopy();
    return CopyOutcome::Failed;
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
    const int fd = m_readFd.load();
    const std::uint8_t* map = m_map.load();
    if (fd < 0 || offset < 0 || offset >= m_size)
        return 0;
    const auto wanted = static_cast<std::size_t>(
        std::min<std::int64_t>(static_cast<std::int64_t>(buffer.size()), m_size - offset));
    // Large reads, as scans make them, copy from the page cache: faulting the mapping in page
    // by page costs more than the copy.
    if (map && wanted < kLargeRead) {
        std::memcpy(buffer.data(), map + offset, wanted);
        return static_cast<std::int32_t>(wanted);
    }
    // Reading the dump file itself, a read past an end that moved in returns what is there.
    std::size_t got = 0;
    while (got < wanted) {
        ssize_t n = ::pread(fd, buffer.data() + got, wanted - got,
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

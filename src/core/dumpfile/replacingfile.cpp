#include "core/dumpfile/replacingfile.h"

#include "core/dumpfile/filecopy.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace byzel {
namespace {

// The file a rename replaces: the one a link leads to, so that the link stays a link.
std::string replacedFile(const std::string& path) {
    std::error_code ec;
    auto resolved = std::filesystem::canonical(path, ec);
    return ec ? path : resolved.string();
}

// Makes a rename durable; the file is already in place, so a failure here changes nothing.
void syncFolderOf(const std::string& file) {
    const auto slash = file.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : file.substr(0, slash + 1);
    UniqueFd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.valid())
        ::fsync(dir.get());
}

} // namespace

bool nameTaken(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

bool ReplacingFile::open(const std::string& target, Existing existing) {
    discard();
    struct stat st;
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) {
        errno = EISDIR;
        return false;
    }
    if (exists && !S_ISREG(st.st_mode)) {
        m_fd.reset(::open(target.c_str(), O_WRONLY | O_CLOEXEC));
        m_target = target;
        return m_fd.valid();
    }
    if (exists && existing == Existing::MustBeWritable && ::access(target.c_str(), W_OK) != 0)
        return false;

    m_target = exists ? replacedFile(target) : target;
    m_fd.reset(createTempBeside(m_target, exists ? st.st_mode & 07777 : 0666, m_tempPath));
    // The new file's bits came through the umask; an existing file keeps exactly its own.
    if (m_fd.valid() && exists && ::fchmod(m_fd.get(), st.st_mode & 07777) != 0)
        discard();
    if (!m_fd.valid())
        m_tempPath.clear();
    return m_fd.valid();
}

UniqueFd ReplacingFile::reader() const {
    return UniqueFd(m_fd.valid() ? ::fcntl(m_fd.get(), F_DUPFD_CLOEXEC, 0) : -1);
}

bool ReplacingFile::commit() {
    if (!m_fd.valid())
        return false;
    if (m_tempPath.empty())
        return m_fd.close();
    const bool done = ::fsync(m_fd.get()) == 0 && m_fd.close() &&
                      ::rename(m_tempPath.c_str(), m_target.c_str()) == 0;
    if (!done) {
        discard();
        return false;
    }
    m_tempPath.clear();
    syncFolderOf(m_target);
    return true;
}

void ReplacingFile::discard() {
    // Cleaning up must not hide why the write failed.
    const int error = errno;
    m_fd.reset();
    if (!m_tempPath.empty())
        ::unlink(m_tempPath.c_str());
    m_tempPath.clear();
    errno = error;
}

} // namespace byzel

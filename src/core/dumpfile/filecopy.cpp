#include "core/dumpfile/filecopy.h"

#include <cerrno>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

namespace byzel {
namespace {

constexpr std::size_t kBufferSize = std::size_t{1} << 20;

enum class Outcome { Done, SourceEnded, Failed, Unsupported };

// errno values by which a kernel copy says "not between these two files": try the next way.
bool unsupported(int err) {
    return err == EXDEV || err == EINVAL || err == ENOSYS || err == EOPNOTSUPP || err == EBADF;
}

// Copies the length bytes at from to the same place in out, going on from copied (which it
// advances) until done or the source ends.
Outcome kernelRange(int in, int out, off_t from, off_t length, off_t& copied) {
    while (copied < length) {
        off_t inAt = from + copied;
        off_t outAt = inAt;
        const ssize_t n =
            ::copy_file_range(in, &inAt, out, &outAt, static_cast<std::size_t>(length - copied), 0);
        if (n > 0) {
            copied += n;
            continue;
        }
        if (n == 0)
            return Outcome::SourceEnded;
        if (errno == EINTR)
            continue;
        return unsupported(errno) ? Outcome::Unsupported : Outcome::Failed;
    }
    return Outcome::Done;
}

Outcome bufferedRange(int in, int out, off_t from, off_t length, off_t& copied,
                      std::vector<char>& buffer) {
    buffer.resize(kBufferSize);
    while (copied < length) {
        const auto wanted = static_cast<std::size_t>(
            std::min<off_t>(length - copied, static_cast<off_t>(buffer.size())));
        const ssize_t n = ::pread(in, buffer.data(), wanted, from + copied);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return Outcome::Failed;
        if (n == 0)
            return Outcome::SourceEnded;
        for (ssize_t put = 0; put < n;) {
            const ssize_t w = ::pwrite(out, buffer.data() + put, static_cast<std::size_t>(n - put),
                                       from + copied + put);
            if (w < 0 && errno == EINTR)
                continue;
            if (w <= 0)
                return Outcome::Failed;
            put += w;
        }
        copied += n;
    }
    return Outcome::Done;
}

// Where the next data region at or after at starts and ends, within size. Without
// SEEK_DATA support everything counts as data. Empty (start == size) when only holes remain.
std::pair<off_t, off_t> nextDataRegion(int in, off_t at, off_t size) {
    off_t data = ::lseek(in, at, SEEK_DATA);
    if (data < 0)
        return {errno == ENXIO ? size : at, size};
    off_t hole = ::lseek(in, data, SEEK_HOLE);
    if (hole < 0)
        hole = size;
    return {std::min(data, size), std::min(hole, size)};
}

} // namespace

bool copyFileData(int in, int out, const ProgressFn& progress, std::int64_t chunkBytes) {
    struct stat st;
    if (::fstat(in, &st) != 0)
        return false;
    const off_t size = st.st_size;
    // A clone shares the source's blocks until either file is written.
    if (::ioctl(out, FICLONE, in) == 0)
        return !progress || progress(size, size);
    // Sized first, so the regions skipped stay holes.
    if (::ftruncate(out, size) != 0)
        return false;
    const off_t chunk = std::max<off_t>(chunkBytes, 1);
    bool kernel = true;
    std::vector<char> buffer;
    for (off_t at = 0; at < size;) {
        const auto [data, hole] = nextDataRegion(in, at, size);
        for (off_t pos = data; pos < hole;) {
            const off_t length = std::min(chunk, hole - pos);
            off_t copied = 0;
            Outcome o = kernel ? kernelRange(in, out, pos, length, copied) : Outcome::Unsupported;
            if (o == Outcome::Unsupported) {
                kernel = false;
                o = bufferedRange(in, out, pos, length, copied, buffer);
            }
            if (o == Outcome::Failed)
                return false;
            pos += copied;
            if (o == Outcome::SourceEnded)
                return ::ftruncate(out, pos) == 0 && (!progress || progress(size, size));
            if (progress && !progress(pos, size))
                return false;
        }
        at = std::max(hole, data + 1);
    }
    // The source may have shrunk into a hole we did not read.
    if (::fstat(in, &st) == 0 && st.st_size < size && ::ftruncate(out, st.st_size) != 0)
        return false;
    return !progress || progress(size, size);
}

void EarlyWriteback::added(std::size_t bytes) {
    constexpr std::int64_t kStep = std::int64_t{8} << 20;
    m_added += static_cast<std::int64_t>(bytes);
    if (m_added - m_sent < kStep)
        return;
    // Only a hint: should the system not take it, the sync does all the work.
    (void)::sync_file_range(m_fd, m_sent, m_added - m_sent, SYNC_FILE_RANGE_WRITE);
    m_sent = m_added;
}

long readSome(int fd, void* data, std::size_t size) {
    for (;;) {
        const ssize_t n = ::read(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        return static_cast<long>(n);
    }
}

bool writeAll(int fd, const void* data, std::size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t n = ::write(fd, p, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

std::string tempNameBeside(const std::string& target, int attempt) {
    const auto slash = target.rfind('/');
    const std::string folder =
        slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    // A short name of our own: the target's name may already be as long as the system allows.
    return folder + ".byzel-" + std::to_string(::getpid()) + "-" + std::to_string(attempt) + ".tmp";
}

int createTempBeside(const std::string& target, unsigned mode, std::string& tempPath) {
    for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
        tempPath = tempNameBeside(target, attempt);
        int fd = ::open(tempPath.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW,
                        static_cast<mode_t>(mode));
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

} // namespace byzel

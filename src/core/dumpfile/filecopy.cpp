#include "core/dumpfile/filecopy.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/sendfile.h>
#include <unistd.h>

#include <string_view>
#include <vector>

namespace byzel {
namespace {

constexpr std::size_t kKernelChunk = std::size_t{1} << 30;
constexpr std::size_t kBufferSize = std::size_t{1} << 20;

enum class Outcome { Done, Failed, Unsupported };

// errno values by which a kernel copy says "not between these two files": try the next way.
bool unsupported(int err) {
    return err == EXDEV || err == EINVAL || err == ENOSYS || err == EOPNOTSUPP || err == EBADF;
}

template <typename Step> Outcome kernelCopy(Step step) {
    for (;;) {
        ssize_t n = step();
        if (n > 0)
            continue;
        if (n == 0)
            return Outcome::Done;
        if (errno == EINTR)
            continue;
        return unsupported(errno) ? Outcome::Unsupported : Outcome::Failed;
    }
}

bool bufferedCopy(int in, int out) {
    std::vector<char> buffer(kBufferSize);
    for (;;) {
        ssize_t n = ::read(in, buffer.data(), buffer.size());
        if (n == 0)
            return true;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (!writeAll(out, buffer.data(), static_cast<std::size_t>(n)))
            return false;
    }
}

} // namespace

bool copyFileData(int in, int out) {
    // Both calls below move the file positions, so each fallback goes on where the one before
    // stopped.
    Outcome o =
        kernelCopy([&] { return ::copy_file_range(in, nullptr, out, nullptr, kKernelChunk, 0); });
    if (o == Outcome::Unsupported)
        o = kernelCopy([&] { return ::sendfile(out, in, nullptr, kKernelChunk); });
    if (o == Outcome::Unsupported)
        return bufferedCopy(in, out);
    return o == Outcome::Done;
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
        int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW,
                        static_cast<mode_t>(mode));
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

} // namespace byzel

#include "cli/readfile.h"

#include "core/dumpfile/uniquefd.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace byzel::cli {

std::optional<std::vector<std::uint8_t>> readFilePrefix(const std::string& path,
                                                        std::size_t limit) {
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat st;
    if (!fd.valid() || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    std::vector<std::uint8_t> data(
        std::min<std::size_t>(limit, static_cast<std::size_t>(st.st_size)));
    std::size_t got = 0;
    while (got < data.size()) {
        const ssize_t n = ::read(fd.get(), data.data() + got, data.size() - got);
        if (n == 0)
            break;
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return std::nullopt;
        got += static_cast<std::size_t>(n);
    }
    data.resize(got);
    return data;
}

bool isFolder(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace byzel::cli

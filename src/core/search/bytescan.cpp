#include "core/search/bytescan.h"

#include <cstring>
#include <string.h>

namespace byzel {
namespace {

// Misses allowed before memmem takes over: about one per 64 bytes still pays off.
constexpr std::size_t kMissesPerByte = 64;

} // namespace

const std::uint8_t* findFirst(std::span<const std::uint8_t> data,
                              std::span<const std::uint8_t> pattern) {
    const std::size_t n = pattern.size();
    if (n == 0 || data.size() < n)
        return nullptr;
    const std::uint8_t* p = data.data();
    const std::uint8_t* const lastStart = data.data() + data.size() - n;
    std::size_t missesLeft = data.size() / kMissesPerByte + 16;
    while (p <= lastStart) {
        p = static_cast<const std::uint8_t*>(
            std::memchr(p, pattern[0], static_cast<std::size_t>(lastStart - p) + 1));
        if (!p)
            return nullptr;
        if (std::memcmp(p + 1, pattern.data() + 1, n - 1) == 0)
            return p;
        ++p;
        if (--missesLeft == 0) {
            const std::size_t rest = static_cast<std::size_t>(data.data() + data.size() - p);
            return static_cast<const std::uint8_t*>(::memmem(p, rest, pattern.data(), n));
        }
    }
    return nullptr;
}

} // namespace byzel

#include "core/search/patternsearch.h"

#include "core/dumpfile/bytesource.h"
#include "core/search/bytescan.h"
#include "core/ui/progress.h"

#include <algorithm>
#include <cstring>
#include <string.h>
#include <vector>

namespace byzel {
namespace {

// Work between two looks at the progress: small enough to stop at once when cancelled, large
// enough that the look costs nothing.
constexpr std::int64_t kChunk = 4 << 20;

constexpr std::int64_t kNone = -1;

constexpr std::size_t kFirstBackWindow = 256;

// First start in [0, candidates) where the pattern lies; the data holds candidates - 1 + n
// bytes.
std::int64_t firstIn(const std::uint8_t* data, std::int64_t candidates,
                     std::span<const std::uint8_t> pattern) {
    const auto length = static_cast<std::size_t>(candidates) + pattern.size() - 1;
    const std::uint8_t* hit = findFirst(std::span(data, length), pattern);
    return hit ? hit - data : kNone;
}

// Last start in [0, candidates) where the pattern lies; the data holds candidates - 1 + n
// bytes. Looks for the pattern's first byte from the back, then compares the rest; where that
// byte keeps turning up in vain, every place is compared.
std::int64_t lastIn(const std::uint8_t* data, std::int64_t candidates,
                    std::span<const std::uint8_t> pattern) {
    auto remaining = static_cast<std::size_t>(candidates);
    std::size_t missesLeft = remaining / 64 + 16;
    // memrchr over windows that start small and double while the byte does not turn up:
    // checked builds look at the whole range of every call, so near misses one after the other
    // in a single long range would take quadratic time there.
    std::size_t window = kFirstBackWindow;
    while (remaining > 0 && missesLeft > 0) {
        const std::size_t from = remaining > window ? remaining - window : 0;
        const void* hit = ::memrchr(data + from, pattern[0], remaining - from);
        if (!hit) {
            remaining = from;
            window *= 2;
            continue;
        }
        window = kFirstBackWindow;
        const auto at = static_cast<std::size_t>(static_cast<const std::uint8_t*>(hit) - data);
        if (std::memcmp(data + at + 1, pattern.data() + 1, pattern.size() - 1) == 0)
            return static_cast<std::int64_t>(at);
        remaining = at;
        --missesLeft;
    }
    while (remaining > 0) {
        --remaining;
        if (std::memcmp(data + remaining, pattern.data(), pattern.size()) == 0)
            return static_cast<std::int64_t>(remaining);
    }
    return kNone;
}

// Walks the candidate starts from start in direction, a chunk at a time. fetch(first, count)
// yields the bytes for the candidates first .. first + count - 1.
template <typename Fetch>
std::optional<Offset> walk(std::int64_t size, std::span<const std::uint8_t> pattern, Offset start,
                           SearchDirection direction, const ProgressFn& progress, Fetch fetch) {
    const auto n = static_cast<std::int64_t>(pattern.size());
    const std::int64_t lastStart = size - n;
    if (n == 0 || lastStart < 0)
        return std::nullopt;
    if (direction == SearchDirection::Down) {
        for (std::int64_t first = std::max<std::int64_t>(start, 0); first <= lastStart;
             first += kChunk) {
            const std::int64_t count = std::min(kChunk, lastStart - first + 1);
            const std::uint8_t* bytes = fetch(first, count);
            if (!bytes)
                return std::nullopt;
            if (auto at = firstIn(bytes, count, pattern); at != kNone)
                return static_cast<Offset>(first + at);
            if (progress && !progress(first + count - start, size))
                return std::nullopt;
        }
        return std::nullopt;
    }
    const std::int64_t top = std::min<std::int64_t>(start, lastStart);
    for (std::int64_t end = top + 1; end > 0; end -= kChunk) {
        const std::int64_t first = std::max<std::int64_t>(end - kChunk, 0);
        const std::uint8_t* bytes = fetch(first, end - first);
        if (!bytes)
            return std::nullopt;
        if (auto at = lastIn(bytes, end - first, pattern); at != kNone)
            return static_cast<Offset>(first + at);
        if (progress && !progress(top + 1 - first, size))
            return std::nullopt;
    }
    return std::nullopt;
}

} // namespace

std::optional<Offset> findPattern(std::span<const std::uint8_t> data,
                                  std::span<const std::uint8_t> pattern, Offset start,
                                  SearchDirection direction, const ProgressFn& progress) {
    return walk(static_cast<std::int64_t>(data.size()), pattern, start, direction, progress,
                [&](std::int64_t first, std::int64_t) { return data.data() + first; });
}

std::optional<Offset> findPattern(const ByteSource& source, std::span<const std::uint8_t> pattern,
                                  Offset start, SearchDirection direction,
                                  const ProgressFn& progress) {
    std::vector<std::uint8_t> block;
    return walk(source.size(), pattern, start, direction, progress,
                [&](std::int64_t first, std::int64_t count) -> const std::uint8_t* {
                    block.resize(static_cast<std::size_t>(count) + pattern.size() - 1);
                    // A reader may hand out less than asked for; only a read that brings
                    // nothing means the data cannot be had.
                    std::size_t filled = 0;
                    while (filled < block.size()) {
                        const auto got = source.readAt(
                            static_cast<Offset>(first + static_cast<std::int64_t>(filled)),
                            std::span(block).subspan(filled));
                        if (got <= 0)
                            return nullptr;
                        filled += static_cast<std::size_t>(got);
                    }
                    return block.data();
                });
}

} // namespace byzel

// Runs the pattern search against its plain definition: from the start position, one position
// at a time in the direction asked, compare the whole pattern byte for byte; positions too
// close to the end for the whole pattern are passed over, matches may overlap, and the search
// never wraps. Both the search over bytes in memory and the one over a reader that hands out
// short reads must agree with it. Some inputs are placed just past a large filler, so that
// the blocks the search works in end inside them.
#include "core/dumpfile/bytesource.h"
#include "core/search/patternsearch.h"
#include "fuzzinput.h"
#include "memorysource.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

namespace {

using namespace byzel;
using fuzz::require;

std::optional<Offset> searchByteByByte(std::span<const std::uint8_t> data,
                                       std::span<const std::uint8_t> pattern, std::int64_t start,
                                       SearchDirection direction) {
    const auto size = static_cast<std::int64_t>(data.size());
    const auto n = static_cast<std::int64_t>(pattern.size());
    const auto matchesAt = [&](std::int64_t i) {
        return i + n <= size && std::memcmp(data.data() + i, pattern.data(), pattern.size()) == 0;
    };
    if (direction == SearchDirection::Down) {
        for (std::int64_t i = std::max<std::int64_t>(start, 0); i + n <= size; ++i) {
            if (matchesAt(i))
                return static_cast<Offset>(i);
        }
    } else {
        for (std::int64_t i = start; i >= 0; --i) {
            if (matchesAt(i))
                return static_cast<Offset>(i);
        }
    }
    return std::nullopt;
}

// Past the first block the search works in, wherever that block ends.
constexpr std::size_t kFillerSize = 4 << 20;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in({data, size});
    const std::uint8_t mode = in.byte();
    const std::size_t patternLength = 1 + in.byte() % 12;
    const auto startWord = static_cast<std::int32_t>(in.word());
    std::size_t readLimit = 1 + in.byte();
    const auto pattern = in.bytes(patternLength);
    const auto tail = in.rest();
    if (pattern.size() < patternLength)
        return 0;

    const auto direction = (mode & 1) != 0 ? SearchDirection::Up : SearchDirection::Down;
    std::vector<std::uint8_t> bytes;
    std::size_t placed = 0;
    if ((mode & 2) != 0) {
        // The filler is the pattern's first byte, or another: a run of it sends the search down
        // its slow path.
        placed = kFillerSize - (mode >> 3);
        // Reads of a few bytes each over the whole filler would only make the run slow.
        readLimit *= 4096;
        bytes.assign(placed, (mode & 4) != 0 ? pattern[0] : static_cast<std::uint8_t>(~pattern[0]));
    }
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    // Starts from just before the data to just past its end, near the placed bytes.
    const auto span = static_cast<std::int64_t>(tail.size()) + 4;
    const std::int64_t start = static_cast<std::int64_t>(placed) - 2 + startWord % span;

    const auto expected = searchByteByByte(bytes, pattern, start, direction);
    const auto dataSize = static_cast<std::int64_t>(bytes.size());
    std::int64_t lastDone = -1;
    const ProgressFn progress = [&](std::int64_t done, std::int64_t total) {
        require(done > lastDone && total == dataSize);
        lastDone = done;
        return true;
    };
    require(findPattern(std::span<const std::uint8_t>(bytes), pattern, static_cast<Offset>(start),
                        direction, progress) == expected);

    lastDone = -1;
    testing::MemorySource source(std::move(bytes));
    source.limitReads(readLimit);
    require(findPattern(source, pattern, static_cast<Offset>(start), direction, progress) ==
            expected);
    return 0;
}

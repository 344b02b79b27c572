// Runs the streaming replace against the plain definition: a window of the pattern's length
// slid over the input one byte at a time; where the window equals the pattern, the replacement
// is written, the occurrence counted and the window refilled after it, so occurrences never
// overlap. The input arrives in reads of the sizes the fuzzer chooses, which puts every
// occurrence at every place of a read.
#include "core/search/replacestream.h"
#include "fuzzinput.h"

#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

using namespace byzel;
using fuzz::require;

struct Replaced {
    std::int64_t count = 0;
    std::vector<std::uint8_t> output;
};

Replaced replaceByWindow(std::span<const std::uint8_t> input, std::span<const std::uint8_t> pattern,
                         std::span<const std::uint8_t> replacement) {
    Replaced r;
    const std::size_t n = pattern.size();
    std::size_t i = 0;
    while (i + n <= input.size()) {
        if (std::equal(pattern.begin(), pattern.end(), input.begin() + static_cast<long>(i))) {
            ++r.count;
            r.output.insert(r.output.end(), replacement.begin(), replacement.end());
            i += n;
        } else {
            r.output.push_back(input[i]);
            ++i;
        }
    }
    r.output.insert(r.output.end(), input.begin() + static_cast<long>(i), input.end());
    return r;
}

// The input in pieces: each read of the receiving end returns exactly one piece. The pieces
// are all sent before the first read, so their number stays within what the socket holds; the
// last piece takes what remains.
class PiecewiseInput {
public:
    PiecewiseInput(std::span<const std::uint8_t> input, std::span<const std::uint8_t> pieceSizes) {
        int ends[2];
        require(::socketpair(AF_UNIX, SOCK_SEQPACKET, 0, ends) == 0);
        m_readEnd = ends[0];
        constexpr std::size_t kMaxPieces = 64;
        std::size_t at = 0;
        for (std::size_t k = 0; at < input.size(); ++k) {
            const std::size_t wanted = pieceSizes.empty() || k + 1 == kMaxPieces
                                           ? input.size()
                                           : 1 + pieceSizes[k % pieceSizes.size()];
            const std::size_t size = std::min(wanted, input.size() - at);
            require(::write(ends[1], input.data() + at, size) == static_cast<ssize_t>(size));
            at += size;
        }
        ::close(ends[1]);
    }
    ~PiecewiseInput() { ::close(m_readEnd); }
    PiecewiseInput(const PiecewiseInput&) = delete;
    PiecewiseInput& operator=(const PiecewiseInput&) = delete;

    [[nodiscard]] int fd() const { return m_readEnd; }

private:
    int m_readEnd = -1;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in({data, size});
    const std::size_t patternLength = 1 + in.byte() % 12;
    const std::size_t replacementLength = in.byte() % 21;
    const std::size_t pieceCount = in.byte() % 8;
    const auto pieceSizes = in.bytes(pieceCount);
    const auto pattern = in.bytes(patternLength);
    const auto replacement = in.bytes(replacementLength);
    const auto input = in.rest();
    if (pattern.size() < patternLength)
        return 0;

    const Replaced expected = replaceByWindow(input, pattern, replacement);
    const auto inputSize = static_cast<std::int64_t>(input.size());
    std::int64_t lastDone = 0;
    const ProgressFn progress = [&](std::int64_t done, std::int64_t total) {
        require(done >= lastDone && done <= total && total == inputSize);
        lastDone = done;
        return true;
    };

    std::vector<std::uint8_t> written;
    const ByteSink sink = [&](std::span<const std::uint8_t> bytes) {
        require(!bytes.empty());
        written.insert(written.end(), bytes.begin(), bytes.end());
        return true;
    };
    {
        PiecewiseInput pieces(input, pieceSizes);
        const auto result =
            ReplaceStream(pieces.fd(), &sink, pattern, replacement, inputSize, progress);
        require(result.done() && result.count == expected.count);
        require(written == expected.output);
    }
    {
        // Counting alone finds the same occurrences.
        lastDone = 0;
        PiecewiseInput pieces(input, pieceSizes);
        const auto result =
            ReplaceStream(pieces.fd(), nullptr, pattern, replacement, inputSize, progress);
        require(result.done() && result.count == expected.count);
    }
    return 0;
}

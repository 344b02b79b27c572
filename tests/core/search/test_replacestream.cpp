#include "core/search/replacestream.h"
#include "core/ui/progress.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <random>

namespace byzel {
namespace {

using testing::TempFolder;
using Bytes = std::vector<std::uint8_t>;

// The definition: a window of the last n bytes, read one byte at a time.
std::pair<std::int64_t, Bytes> replaceByWindow(const Bytes& in, const Bytes& pattern,
                                               const Bytes& replacement) {
    const std::size_t n = pattern.size();
    std::size_t next = 0;
    auto read = [&](std::uint8_t& b) {
        if (next >= in.size())
            return false;
        b = in[next++];
        return true;
    };
    Bytes out;
    std::int64_t count = 0;
    Bytes window(n);
    std::size_t filled = 0;
    while (filled < n - 1 && read(window[filled]))
        ++filled;
    if (filled < n - 1)
        return {0, Bytes(window.begin(), window.begin() + static_cast<std::ptrdiff_t>(filled))};
    for (;;) {
        if (!read(window[n - 1])) {
            out.insert(out.end(), window.begin(),
                       window.begin() + static_cast<std::ptrdiff_t>(n - 1));
            return {count, out};
        }
        if (window == pattern) {
            ++count;
            out.insert(out.end(), replacement.begin(), replacement.end());
            std::size_t refill = 0;
            while (refill < n - 1 && read(window[refill]))
                ++refill;
            if (refill < n - 1) {
                out.insert(out.end(), window.begin(),
                           window.begin() + static_cast<std::ptrdiff_t>(refill));
                return {count, out};
            }
            continue;
        }
        if (next == in.size()) {
            out.insert(out.end(), window.begin(), window.end());
            return {count, out};
        }
        out.push_back(window[0]);
        std::rotate(window.begin(), window.begin() + 1, window.end());
    }
}

class ReplaceStreamTest : public ::testing::Test {
protected:
    // Runs the stream over a file holding in; returns the count and what was written.
    std::pair<ReplaceStreamResult, Bytes> run(const Bytes& in, const Bytes& pattern,
                                              const Bytes& replacement, bool writing = true) {
        const std::string path = tmp.write("in.bin", in);
        const int fd = ::open(path.c_str(), O_RDONLY);
        Bytes out;
        const ByteSink sink = [&](std::span<const std::uint8_t> b) {
            out.insert(out.end(), b.begin(), b.end());
            return true;
        };
        const auto r = ReplaceStream(fd, writing ? &sink : nullptr, pattern, replacement,
                                     static_cast<std::int64_t>(in.size()), {});
        ::close(fd);
        return {r, out};
    }
    TempFolder tmp;
};

TEST_F(ReplaceStreamTest, OccurrencesDoNotOverlapAndTailBytesStay) {
    auto [r, out] = run({0xAA, 0xAA, 0xAA}, {0xAA, 0xAA}, {0xBB});
    EXPECT_EQ(r.count, 1);
    EXPECT_EQ(out, (Bytes{0xBB, 0xAA}));

    std::tie(r, out) = run({1, 2, 3, 1, 2, 9}, {1, 2}, {});
    EXPECT_EQ(r.count, 2);
    EXPECT_EQ(out, (Bytes{3, 9}));

    std::tie(r, out) = run({7, 1, 2}, {1, 2}, {5, 5, 5});
    EXPECT_EQ(out, (Bytes{7, 5, 5, 5}));

    std::tie(r, out) = run({1}, {1, 2}, {5});
    EXPECT_EQ(r.count, 0);
    EXPECT_EQ(out, Bytes{1});
}

TEST_F(ReplaceStreamTest, EqualsTheWindowDefinitionAndCountingFindsTheSame) {
    std::mt19937 random(11);
    for (int round = 0; round < 150; ++round) {
        Bytes in(random() % 200);
        for (auto& b : in)
            b = static_cast<std::uint8_t>(random() % 3);
        Bytes pattern(1 + random() % 4), replacement(random() % 5);
        for (auto& b : pattern)
            b = static_cast<std::uint8_t>(random() % 3);
        for (auto& b : replacement)
            b = static_cast<std::uint8_t>(random() % 3);
        const auto [count, expected] = replaceByWindow(in, pattern, replacement);
        const auto [r, out] = run(in, pattern, replacement);
        ASSERT_EQ(out, expected) << "round " << round;
        EXPECT_EQ(r.count, count);
        EXPECT_EQ(out.size(), in.size() + static_cast<std::size_t>(count) * replacement.size() -
                                  static_cast<std::size_t>(count) * pattern.size());
        EXPECT_EQ(run(in, pattern, replacement, false).first.count, count);
    }
}

TEST_F(ReplaceStreamTest, OccurrencesAcrossReadBlocks) {
    Bytes in((9 << 20) + 5, 0);
    for (std::size_t at : {std::size_t{4 << 20} - 1, std::size_t{8 << 20} - 2, in.size() - 3})
        std::copy_n(Bytes{1, 2, 3}.begin(), 3, in.begin() + static_cast<std::ptrdiff_t>(at));
    const auto [r, out] = run(in, {1, 2, 3}, {9, 9, 9, 9});
    EXPECT_EQ(r.count, 3);
    EXPECT_EQ(out.size(), in.size() + 3);
    EXPECT_EQ(std::count(out.begin(), out.end(), 9), 12);
}

} // namespace
} // namespace byzel

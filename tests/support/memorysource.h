#pragma once

#include "core/dumpfile/bytesource.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace byzel::testing {

// Dump data held in memory. It counts the bytes it hands out, so tests can check that a
// listing reads only the rows it shows.
class MemorySource : public ByteSource {
public:
    MemorySource() = default;
    explicit MemorySource(std::vector<std::uint8_t> bytes) : m_bytes(std::move(bytes)) {}
    explicit MemorySource(std::string_view bytes) : m_bytes(bytes.begin(), bytes.end()) {}

    std::int32_t readAt(Offset offset, std::span<std::uint8_t> buffer) const override {
        if (offset < 0 || static_cast<size_t>(offset) >= m_bytes.size())
            return 0;
        const size_t n =
            std::min({buffer.size(), m_maxRead, m_bytes.size() - static_cast<size_t>(offset)});
        std::memcpy(buffer.data(), m_bytes.data() + offset, n);
        m_bytesRead += n;
        return static_cast<std::int32_t>(n);
    }
    [[nodiscard]] std::int64_t size() const override {
        return static_cast<std::int64_t>(m_bytes.size());
    }

    // Hands out at most n bytes per read, as a reader with a small window might.
    void limitReads(size_t n) { m_maxRead = n; }
    [[nodiscard]] size_t bytesRead() const { return m_bytesRead; }
    [[nodiscard]] std::vector<std::uint8_t>& bytes() { return m_bytes; }

private:
    std::vector<std::uint8_t> m_bytes;
    size_t m_maxRead = SIZE_MAX;
    mutable size_t m_bytesRead = 0;
};

} // namespace byzel::testing

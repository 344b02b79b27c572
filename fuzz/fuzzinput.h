#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace byzel::fuzz {

// Stops the run where a property does not hold; libFuzzer keeps the input that got there.
inline void require(bool condition) {
    if (!condition)
        __builtin_trap();
}

// Takes a fuzz input apart from the front: control values first, then the bytes that remain.
// Reading past the end gives zeros, so every input is usable.
class FuzzInput {
public:
    explicit FuzzInput(std::span<const std::uint8_t> data) : m_data(data) {}

    std::uint8_t byte() {
        if (m_data.empty())
            return 0;
        const std::uint8_t b = m_data.front();
        m_data = m_data.subspan(1);
        return b;
    }
    std::uint32_t word() {
        std::uint32_t w = 0;
        for (int shift = 0; shift < 32; shift += 8)
            w |= static_cast<std::uint32_t>(byte()) << shift;
        return w;
    }
    // Up to n bytes, fewer when the input runs out.
    std::span<const std::uint8_t> bytes(std::size_t n) {
        const auto taken = m_data.first(n < m_data.size() ? n : m_data.size());
        m_data = m_data.subspan(taken.size());
        return taken;
    }
    std::span<const std::uint8_t> rest() { return bytes(m_data.size()); }

private:
    std::span<const std::uint8_t> m_data;
};

} // namespace byzel::fuzz

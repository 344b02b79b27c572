#pragma once

#include "core/types.h"

#include <cstdint>
#include <span>

namespace byzel {

// Positioned reads of the dump data. Every reader positions before it reads and never assumes
// where a previous read left off.
class ByteSource {
public:
    virtual ~ByteSource() = default;

    // Reads up to buffer.size() bytes from offset; returns how many arrived (fewer at the end
    // of the data, 0 past it or for a negative offset).
    virtual std::int32_t readAt(Offset offset, std::span<std::uint8_t> buffer) const = 0;
    [[nodiscard]] virtual std::int64_t size() const = 0;
};

} // namespace byzel

#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace byzel {

// Where the pattern first lies in data, or nullptr. Looks for the pattern's first byte with
// memchr and compares the rest, which on real data beats memmem by far; data where that byte
// keeps turning up in vain (a run of it, say) is left to memmem.
[[nodiscard]] const std::uint8_t* findFirst(std::span<const std::uint8_t> data,
                                            std::span<const std::uint8_t> pattern);

} // namespace byzel

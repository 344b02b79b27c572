#pragma once

#include <cstdint>
#include <functional>

namespace byzel {

// Told how far a long pass over the dump file has come (bytes done of total). Returning false
// stops the pass; the pass then reports that it produced nothing.
using ProgressFn = std::function<bool(std::int64_t done, std::int64_t total)>;

// Long passes read the dump file in blocks of this size and report after each one.
inline constexpr std::int32_t kPassBlockSize = 1 << 20;

} // namespace byzel

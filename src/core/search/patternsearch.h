#pragma once

#include "core/types.h"
#include "core/ui/progress.h"

#include <cstdint>
#include <optional>
#include <span>

namespace byzel {

class ByteSource;

enum class SearchDirection { Up, Down };

// Where the pattern first lies starting at start and going in direction: downward the lowest
// position >= start, upward the highest position <= start at which the whole pattern is found.
// Positions too close to the end for the whole pattern are passed over; matches may overlap.
// Nothing when there is none or the progress asked to stop. A start below 0 finds nothing
// upward and starts at 0 downward.
[[nodiscard]] std::optional<Offset> findPattern(std::span<const std::uint8_t> data,
                                                std::span<const std::uint8_t> pattern, Offset start,
                                                SearchDirection direction,
                                                const ProgressFn& progress);
// The same over a source that may not lie in memory: read in large blocks.
[[nodiscard]] std::optional<Offset> findPattern(const ByteSource& source,
                                                std::span<const std::uint8_t> pattern, Offset start,
                                                SearchDirection direction,
                                                const ProgressFn& progress);

} // namespace byzel

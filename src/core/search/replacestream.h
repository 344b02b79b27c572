#pragma once

#include "core/ui/progress.h"

#include <cstdint>
#include <functional>
#include <span>

namespace byzel {

// Takes the bytes written out; false when they could not be written.
using ByteSink = std::function<bool(std::span<const std::uint8_t>)>;

struct ReplaceStreamResult {
    enum class Status { Done, ReadFailed, WriteFailed, Cancelled };
    Status status = Status::Done;
    std::int64_t count = 0;
    [[nodiscard]] bool done() const { return status == Status::Done; }
};

// Reads the file input from its current position to its end once and counts the occurrences
// of pattern that do not overlap, each search going on after the previous occurrence. With a
// sink it writes every input byte that is not part of an occurrence, in order, and the
// replacement in place of each occurrence, so the output holds
// inputSize + count * (replacement - pattern) bytes. inputSize only feeds the progress.
ReplaceStreamResult ReplaceStream(int input, const ByteSink* output,
                                  std::span<const std::uint8_t> pattern,
                                  std::span<const std::uint8_t> replacement, std::int64_t inputSize,
                                  const ProgressFn& progress);

} // namespace byzel

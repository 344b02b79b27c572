#pragma once

#include <cstdint>
#include <functional>

namespace byzel {

// Told how far a long piece of work has come (done of total). Returning false stops the work;
// it then reports that it produced nothing. An empty one is never asked.
using ProgressFn = std::function<bool(std::int64_t done, std::int64_t total)>;

// Long passes read the dump file in blocks of this size and report after each one.
inline constexpr std::int32_t kPassBlockSize = 1 << 20;

// A long piece of work: true when it ran to its end and succeeded.
using Pass = std::function<bool(const ProgressFn& progress)>;

// Runs a long pass, perhaps on another thread behind a progress display; true when the pass
// ran to its end and reported success, false when it failed or was stopped. The desktop program
// runs it off the interface thread; tests and the command line run it in place.
using PassRunner = std::function<bool(const Pass& pass)>;

// Runs the pass where it is called, with nobody watching.
[[nodiscard]] inline bool runPassHere(const Pass& pass) {
    return pass({});
}

} // namespace byzel

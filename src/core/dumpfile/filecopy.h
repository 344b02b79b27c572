#pragma once

#include "core/ui/progress.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace byzel {

// Copies everything from the file in to the empty file out. Where the file system can, out
// becomes a clone of in (no data moves, no space is taken); elsewhere the kernel copies the
// data regions only, so holes stay holes, and plain reads and writes are the last resort.
// progress hears of bytes covered (holes included) after each chunk of chunkBytes and stops
// the copy by returning false. A source that shrinks while it is copied gives a copy as long
// as what was there. False on any failure or stop; out may then hold part of the data.
[[nodiscard]] bool copyFileData(int in, int out, const ProgressFn& progress = {},
                                std::int64_t chunkBytes = std::int64_t{1} << 30);

// Reads up to size bytes, going on after interruptions: the count read, 0 at the end, -1 on
// failure.
[[nodiscard]] long readSome(int fd, void* data, std::size_t size);

// Writes bytes completely, retrying short writes and interruptions.
[[nodiscard]] bool writeAll(int fd, const void* data, std::size_t size);

// Sends a file being written to the disk in steps as it grows, without waiting, so that the
// sync that ends it has less left to wait for.
class EarlyWriteback {
public:
    explicit EarlyWriteback(int fd) : m_fd(fd) {}
    void added(std::size_t bytes);

private:
    int m_fd;
    std::int64_t m_added = 0;
    std::int64_t m_sent = 0;
};

// How many names tempNameBeside is asked for before giving up.
inline constexpr int kTempNameAttempts = 100;
// A name for a temporary file beside target (same folder), different for each attempt.
[[nodiscard]] std::string tempNameBeside(const std::string& target, int attempt);

// Creates a new, empty file beside target (same folder, so a rename over target is atomic)
// with the given permission bits before the umask. Returns its descriptor, open for reading
// and writing, or -1, and stores its path in tempPath.
[[nodiscard]] int createTempBeside(const std::string& target, unsigned mode, std::string& tempPath);

} // namespace byzel

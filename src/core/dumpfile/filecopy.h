#pragma once

#include <string>

namespace byzel {

// Copies everything from the file in to the file out, both positioned at their start. The
// kernel copies where it can (copy_file_range, then sendfile); plain reads and writes are the
// last resort. False on any failure; out may then hold part of the data.
[[nodiscard]] bool copyFileData(int in, int out);

// Reads up to size bytes, going on after interruptions: the count read, 0 at the end, -1 on
// failure.
[[nodiscard]] long readSome(int fd, void* data, std::size_t size);

// Writes bytes completely, retrying short writes and interruptions.
[[nodiscard]] bool writeAll(int fd, const void* data, std::size_t size);

// How many names tempNameBeside is asked for before giving up.
inline constexpr int kTempNameAttempts = 100;
// A name for a temporary file beside target (same folder), different for each attempt.
[[nodiscard]] std::string tempNameBeside(const std::string& target, int attempt);

// Creates a new, empty file beside target (same folder, so a rename over target is atomic)
// with the given permission bits before the umask. Returns its descriptor, or -1, and stores
// its path in tempPath.
[[nodiscard]] int createTempBeside(const std::string& target, unsigned mode, std::string& tempPath);

} // namespace byzel

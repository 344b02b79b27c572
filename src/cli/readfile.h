#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace byzel::cli {

// The first limit bytes of a regular file, or nothing when it cannot be read (a folder, a
// pipe, no permission ...). A pipe in the file's place does not hang the tool.
[[nodiscard]] std::optional<std::vector<std::uint8_t>> readFilePrefix(const std::string& path,
                                                                      std::size_t limit);

// Whether path names a folder, so that a command can say so rather than "cannot open".
[[nodiscard]] bool isFolder(const std::string& path);

} // namespace byzel::cli

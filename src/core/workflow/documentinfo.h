#pragma once

#include <cstdint>
#include <string>

namespace byzel {

// The dump file's size as the document information shows it: "1,234 bytes".
[[nodiscard]] std::string dumpSizeText(std::int64_t size);

} // namespace byzel

#pragma once

#include <string>

namespace byzel {

// The version history the About dialog shows: one string-table line per release, newest
// first, each line ended by CR LF.
[[nodiscard]] std::string versionHistoryText();

} // namespace byzel

#pragma once

#include <string>
#include <vector>

namespace byzel {

inline constexpr std::size_t kMaxFontNames = 1000;
// Face names of this many Shift-JIS bytes or more are left out of the settings dialog's list.
inline constexpr std::size_t kFontNameByteLimit = 100;

// The font names the settings dialog offers, from the installed faces as the platform reports
// them (UTF-8, one entry per face and character set): vertical and other special faces (first
// character "@", "%", "$" or "&") are left out, each face is kept once, names of 100 bytes or
// more are dropped and at most 1000 names are kept, in the order reported.
[[nodiscard]] std::vector<std::string> selectableFontNames(const std::vector<std::string>& faces);

} // namespace byzel

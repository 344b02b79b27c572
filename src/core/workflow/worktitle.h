#pragma once

#include <string>
#include <string_view>

namespace byzel {

// Marker file path of a work that has never been saved (and of no work at all).
inline constexpr std::string_view kUnnamedMarkerFile = "[マーカファイル名未定義]";

// The main window's title: the marker file's name without folder and extension, with "*" when
// modified; the unnamed placeholder as it stands. Nothing else, not even the program name.
[[nodiscard]] std::string windowTitle(std::string_view markerFilePath, bool modified);

// The part of a path after its last "\" or "/": stored paths may come from Windows.
[[nodiscard]] std::string_view fileNameOf(std::string_view path);

} // namespace byzel

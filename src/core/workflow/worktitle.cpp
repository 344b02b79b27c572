#include "core/workflow/worktitle.h"

namespace byzel {

std::string_view fileNameOf(std::string_view path) {
    auto sep = path.find_last_of("\\/");
    return sep == std::string_view::npos ? path : path.substr(sep + 1);
}

std::string windowTitle(std::string_view markerFilePath, bool modified) {
    if (markerFilePath == kUnnamedMarkerFile)
        return std::string(kUnnamedMarkerFile);
    std::string_view name = fileNameOf(markerFilePath);
    if (auto dot = name.rfind('.'); dot != std::string_view::npos)
        name = name.substr(0, dot);
    std::string title(name);
    if (modified)
        title += '*';
    return title;
}

} // namespace byzel

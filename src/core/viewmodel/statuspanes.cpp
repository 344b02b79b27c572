#include "core/viewmodel/statuspanes.h"

#include "core/workflow/worktitle.h"

#include <cstdio>

namespace byzel {
namespace {

// A leading tab centres a pane's text, two align it to the right.
PaneText aligned(std::string_view formatted) {
    PaneText pane;
    if (formatted.starts_with("\t\t")) {
        pane.alignment = PaneAlignment::Right;
        formatted.remove_prefix(2);
    } else if (formatted.starts_with('\t')) {
        pane.alignment = PaneAlignment::Centre;
        formatted.remove_prefix(1);
    }
    pane.text = formatted;
    return pane;
}

template <typename... Args> PaneText formatted(const char* format, Args... args) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, args...);
    return aligned(buffer);
}

} // namespace

std::array<PaneText, kFactPaneCount> statusPaneTexts(std::string_view markerFilePath,
                                                     Offset referencePoint, int markerCount) {
    return {
        PaneText{std::string(markerFilePath.empty() ? kUnnamedMarkerFile : markerFilePath)},
        formatted("\t\t%d行", referencePoint / 16 + 1),
        formatted("\t\t%d列", referencePoint % 16 + 1),
        formatted("\t%08X (%ld)", static_cast<unsigned>(referencePoint),
                  static_cast<long>(referencePoint)),
        formatted("\t\t%d", markerCount),
    };
}

} // namespace byzel

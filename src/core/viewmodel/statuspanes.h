#pragma once

#include "core/types.h"

#include <array>
#include <string>
#include <string_view>

namespace byzel {

// The five fact panes of the status bar, after the stretching hint pane: marker file path,
// row, column and address of the reference point, number of markers.
inline constexpr int kFactPaneCount = 5;
// String-table ids whose texts give each pane its width.
inline constexpr std::array<int, kFactPaneCount> kFactPaneSizingIds{325, 102, 101, 324, 105};
inline constexpr std::array<std::string_view, kFactPaneCount> kFactPaneTips{
    "現在作業中のファイルパス", "基準点の行", "基準点の列", "基準点のアドレス 16進(10進)",
    "マーカ数"};

enum class PaneAlignment { Left, Centre, Right };

struct PaneText {
    std::string text;
    PaneAlignment alignment = PaneAlignment::Left;
    friend bool operator==(const PaneText&, const PaneText&) = default;
};

// The panes' texts. Before any work was started the marker file path is empty and the pane
// shows the unnamed placeholder all the same.
[[nodiscard]] std::array<PaneText, kFactPaneCount>
statusPaneTexts(std::string_view markerFilePath, Offset referencePoint, int markerCount);

} // namespace byzel

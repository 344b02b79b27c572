#pragma once

#include "core/types.h"

#include <functional>
#include <vector>

namespace byzel {

// Entries of the marker menus that open the file and analysis tools. The tools fill these in;
// an entry whose hook is empty is shown disabled.
struct MarkerToolHooks {
    // Writes the bytes under the markers (0-based indexes, in this order) into a file the user
    // names: "このマーカのみのファイル作成", "すべてのマーカ部分でファイル作成" and the
    // management list's "チェックされたマーカでファイル作成".
    std::function<void(const std::vector<int>& indexes)> writeMarkersToFile;
    // CRC-32 from the reference point to the right-clicked byte (-1 when the click was not on
    // a byte).
    std::function<void(Offset clickedOffset)> showCrcReport;
    // The occurrence counter.
    std::function<void()> showOccurrences;
};

} // namespace byzel

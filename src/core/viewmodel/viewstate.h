#pragma once

#include "core/markers/markerrecord.h"
#include "core/types.h"

#include <array>

namespace byzel {

// What a pointer press does. The numbers are those the ribbon's check marks compare.
enum class InteractionMode : int { Normal = 0, Marker = 1, ValueCheck = 8, Modify = 9 };

// State of the dump view that outlives a repaint: held by the application object so that the
// frame, the dialogs, printing and export read and change one copy.
struct ViewState {
    Offset topRow = 0;
    int visibleRows = 0;
    Offset referencePoint = 0;
    int remarkStart = 0;
    InteractionMode mode = InteractionMode::Normal;
    ColorRef penColor = kDefaultPenColor;
    // Value check selection: the anchor and up to five further bytes, -1 for an empty slot.
    std::array<Offset, 6> valueCheck{-1, -1, -1, -1, -1, -1};
};

} // namespace byzel

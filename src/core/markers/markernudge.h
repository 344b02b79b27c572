#pragma once

#include "core/markers/markertable.h"

namespace byzel {

// One byte more or less at either end of a marker.
enum class MarkerNudge { StartEarlier, StartLater, EndEarlier, EndLater };

// Moves one end of marker index by one byte. A marker keeps at least one byte and grows only
// into free bytes of the dump file (lastOffset is its last byte), so the table stays sorted
// and no two markers share a byte. False, with nothing changed, when the move is not allowed.
bool nudgeMarker(MarkerTable& markers, int index, MarkerNudge nudge, Offset lastOffset);

} // namespace byzel

#pragma once

#include "core/markers/markerrecord.h"

#include <span>
#include <string>
#include <vector>

namespace byzel::cli {

// Markers the marker table cannot hold, each described naming the markers by number (place in
// the list + 1): an offset below 0, a start after the end ("marker 2: start 9 is after end 3"),
// and markers sharing a byte ("markers 1 and 3 overlap (bytes 5..8 and 8..9)"). A marker that
// overlaps several others is named with each of them. Listed in that order, overlaps by start.
[[nodiscard]] std::vector<std::string> markerProblems(std::span<const MarkerRecord> records);

} // namespace byzel::cli

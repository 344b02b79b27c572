#pragma once

#include <span>

namespace byzel {

class CTormelApp;

// Files made of the bytes under markers. Each asks for the file's name, writes the bytes in
// table order and offers to show its folder; true when a file was written.

// The clicked marker alone; nothing when it is -1 or the table is empty.
bool createFileFromMarker(CTormelApp& app, int clickedMarker);
// Every marker.
bool createFileFromAllMarkers(CTormelApp& app);
// The listed markers (the checked ones of the management list), in the order given.
bool createFileFromMarkers(CTormelApp& app, std::span<const int> indexes);

} // namespace byzel

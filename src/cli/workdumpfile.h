#pragma once

#include "cli/filesource.h"
#include "core/markerfile/headerblock.h"

#include <string>

namespace byzel {
class ConsoleUi;
}

namespace byzel::cli {

// Whether a path names a marker file, by its ".mkg" ending in any case.
[[nodiscard]] bool isMarkerFile(const std::string& path);

// Opens the dump file of a marker file: where it was saved, else where a moved dump file may
// be. Nothing is asked; a dump file that is nowhere to be found is reported with every place
// looked at.
bool openDumpOfMarkerFile(const HeaderBlock& header, const std::string& markerPath,
                          FileSource& source, ConsoleUi& ui);

} // namespace byzel::cli

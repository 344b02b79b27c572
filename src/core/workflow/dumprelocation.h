#pragma once

#include "core/markerfile/headerblock.h"

#include <string>
#include <string_view>
#include <vector>

namespace byzel {

// The file name at the end of a stored dump path, cut at its last "\" or "/" so that paths
// written on Windows ("C:\work\data.bin") still name their file here. Empty when the path has
// no folder part: such a path cannot have moved anywhere we would look.
[[nodiscard]] std::string storedFileName(std::string_view storedPath);

// The places a dump file that is no longer where the marker file says may have gone, in the
// order they are tried: the "SampleData" folder beside the program, then the marker file's own
// folder. Only the file name counts; a file of that name is taken whatever it holds.
[[nodiscard]] std::vector<std::string> movedDumpFileCandidates(const HeaderBlock& header,
                                                               std::string_view programFolder,
                                                               std::string_view markerFilePath);

struct DumpFilePlace {
    std::string path;
    // Somewhere else than the marker file says.
    bool moved = false;
};

// Every place to try for the dump file of a marker file, in order: the stored path (only when
// absolute: a relative one would depend on where the program happened to start), then the
// places it may have moved to.
[[nodiscard]] std::vector<DumpFilePlace> dumpFilePlaces(const HeaderBlock& header,
                                                        std::string_view programFolder,
                                                        std::string_view markerFilePath);

} // namespace byzel

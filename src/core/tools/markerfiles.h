#pragma once

#include "core/ui/progress.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace byzel {

class ByteSource;
class MarkerTable;
class UiPort;

// Shows the folder of a file in the system's file manager; false (after its message) when the
// file manager cannot be started.
using FolderShower = std::function<bool(const std::string& path)>;

// The folder part of a path: everything before its last separator ("/" or "\"), empty for a
// bare name.
[[nodiscard]] std::string folderOfPath(std::string_view path);

// The indexes 0 .. count-1: every marker, in table order.
[[nodiscard]] std::vector<int> allMarkerIndexes(const MarkerTable& markers);

enum class MarkerBytesResult { Written, CannotCreate, WriteFailed, Stopped };

// Writes the bytes under the listed markers, in list order and with nothing between them, to
// path, telling progress as it goes. A marker whose bytes run out ends early and the rest are
// still copied. The file is written beside path and put in its place only when complete, so
// unless it was written path stays as it was. Shows nothing.
[[nodiscard]] MarkerBytesResult
copyMarkerBytes(const ByteSource& source, const MarkerTable& markers, std::span<const int> indexes,
                const std::string& path, const ProgressFn& progress = {});
// The same, telling failures: 30003 (with the path) when the file cannot be created and 30006
// when writing fails.
[[nodiscard]] bool writeMarkerBytes(const ByteSource& source, const MarkerTable& markers,
                                    std::span<const int> indexes, const std::string& path,
                                    UiPort& ui);

// Creates a file from the listed markers: asks for its name, writes it through runPass, then
// offers with 30030 to show its folder. False, without asking anything, when the list is empty
// or names a marker that does not exist; false too when the user cancels or writing fails.
bool WriteMarkersToFile(const ByteSource& source, const MarkerTable& markers,
                        std::span<const int> indexes, UiPort& ui, const FolderShower& showFolder,
                        const PassRunner& runPass = runPassHere);

} // namespace byzel

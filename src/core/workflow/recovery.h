#pragma once

#include <string>
#include <vector>

namespace byzel {

class SettingsStore;
class Work;

// Saves the markers of a work that is about to end unsaved into a new recovery file, written as
// a save writes a marker file (same bytes: the dump file path, the switches and the markers).
// A named work's recovery file goes beside its marker file ("work.mkg" gives
// "work.recovered.mkg"), an unnamed work's, or one whose folder takes no file, into dataFolder
// (made when missing) named after the dump file. An existing file is never replaced: a number
// is added to the name instead. Shows nothing. Returns the path written, or empty text when the
// work has nothing unsaved or no file could be written.
[[nodiscard]] std::string saveRecoveryFile(const Work& work, const std::string& dataFolder);

// Notes a recovery file, at once on disk, so the next start can tell the user about it.
void rememberRecoveryFile(SettingsStore& settings, const std::string& path);
// The recovery files noted since the last call, oldest first; forgets them.
[[nodiscard]] std::vector<std::string> takeRecoveryFiles(SettingsStore& settings);

} // namespace byzel

#pragma once

#include <string>
#include <vector>

namespace byzel {

class CTormelApp;

// The file arguments of the command line are the bytes the shell passed, file names taken
// exactly as given; the first one names the file to open.

// Start-up before the main window exists: drops recent entries that are not marker files and
// refuses a folder on the command line (30034). False ends the program.
[[nodiscard]] bool prepareStart(CTormelApp& app, const std::vector<std::string>& arguments);

// Start-up once the main window shows: opens the file the command line names (a marker file,
// or any other file as the dump file of a new work), or else, when the settings ask for it, the
// last marker file. False, after 30049, ends the program.
[[nodiscard]] bool openStartingWork(CTormelApp& app, const std::vector<std::string>& arguments);

// Once the main window shows: names each recovery file a signal left at the end of an earlier
// run, with a message of its own, and forgets them. Files removed meanwhile are passed over.
void tellRecoveredMarkers(CTormelApp& app);

} // namespace byzel

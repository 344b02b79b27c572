#pragma once

#include <string>

namespace byzel {

class UiPort;

// Opens the folder of the file at path in the system's file manager, without waiting for it.
// A path without a folder part opens the home folder. 30048 and false when the file manager
// cannot be started.
bool ShowFolder(const std::string& path, UiPort& ui);

} // namespace byzel

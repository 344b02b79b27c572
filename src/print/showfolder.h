#pragma once

#include <string>

namespace byzel {

class UiPort;

// Opens the system's file manager at the folder of a file just saved; 30048 when it cannot.
void showSavedFileFolder(const std::string& path, UiPort& ui);

} // namespace byzel

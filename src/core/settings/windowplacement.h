#pragma once

namespace byzel {

class SettingsStore;

// The main window's normal rectangle in pixels, as kept in section "Last".
struct WindowRect {
    int x = 0;
    int y = 0;
    int width = 640;
    int height = 480;
    friend bool operator==(const WindowRect&, const WindowRect&) = default;
};

// The rectangle the window had when it was last closed ("PX", "PY", "SX", "SY").
[[nodiscard]] WindowRect storedWindowRect(const SettingsStore& settings);
// False until the window has been closed once: there is no rectangle to go back to yet.
[[nodiscard]] bool hasStoredWindowRect(const SettingsStore& settings);
// Whether the window was maximised when it was last closed ("Zoomed").
[[nodiscard]] bool storedZoomed(const SettingsStore& settings);

// Where a stored rectangle goes on a screen of the given size: pulled back so that its right
// and bottom edges stay on the screen. A window larger than the screen keeps its size and
// starts at the screen's left or top edge, so its title bar can still be reached.
[[nodiscard]] WindowRect placeOnScreen(WindowRect stored, int screenWidth, int screenHeight);

// The rectangle of a first start: the size the window wants, no larger than the available
// area (the screen without its panels), at that area's top-left corner.
[[nodiscard]] WindowRect firstStartRect(int width, int height, const WindowRect& available);

// Remembers the normal rectangle (never at a negative position) and whether it was maximised.
void storeWindowPlacement(SettingsStore& settings, const WindowRect& normal, bool zoomed);

} // namespace byzel

#include "core/settings/windowplacement.h"

#include "core/settings/settings.h"

#include <algorithm>
#include <array>

namespace byzel {

WindowRect storedWindowRect(const SettingsStore& settings) {
    return {settings.readInt(section::Last, "PX"), settings.readInt(section::Last, "PY"),
            settings.readInt(section::Last, "SX"), settings.readInt(section::Last, "SY")};
}

bool hasStoredWindowRect(const SettingsStore& settings) {
    return std::ranges::any_of(std::array{"PX", "PY", "SX", "SY"}, [&](const char* name) {
        return settings.isStored(section::Last, name);
    });
}

bool storedZoomed(const SettingsStore& settings) {
    return settings.readInt(section::Last, "Zoomed") == 1;
}

WindowRect placeOnScreen(WindowRect r, int screenWidth, int screenHeight) {
    r.x = std::max(r.x, 0);
    if (screenWidth < r.x + r.width)
        r.x = std::max(screenWidth - r.width, 0);
    r.y = std::max(r.y, 0);
    if (screenHeight < r.y + r.height)
        r.y = std::max(screenHeight - r.height, 0);
    return r;
}

WindowRect firstStartRect(int width, int height, const WindowRect& available) {
    return {available.x, available.y, std::clamp(width, 1, std::max(available.width, 1)),
            std::clamp(height, 1, std::max(available.height, 1))};
}

void storeWindowPlacement(SettingsStore& settings, const WindowRect& normal, bool zoomed) {
    settings.writeInt(section::Last, "Zoomed", zoomed ? 1 : 0);
    settings.writeInt(section::Last, "PX", std::max(normal.x, 0));
    settings.writeInt(section::Last, "PY", std::max(normal.y, 0));
    settings.writeInt(section::Last, "SX", normal.width);
    settings.writeInt(section::Last, "SY", normal.height);
}

} // namespace byzel

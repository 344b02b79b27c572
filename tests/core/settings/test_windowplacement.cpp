#include "core/settings/memorysettings.h"
#include "core/settings/windowplacement.h"

#include <gtest/gtest.h>

namespace byzel {
namespace {

TEST(WindowPlacement, FirstStartIs640By480AtTheTopLeft) {
    MemorySettingsStore settings;
    EXPECT_FALSE(hasStoredWindowRect(settings));
    EXPECT_EQ(placeOnScreen(storedWindowRect(settings), 1920, 1080), (WindowRect{0, 0, 640, 480}));
    EXPECT_FALSE(storedZoomed(settings));
    // Any one value written makes the placement a stored one.
    settings.writeInt("Last", "PY", 0);
    EXPECT_TRUE(hasStoredWindowRect(settings));
}

TEST(WindowPlacement, FirstStartSizeStaysInTheAvailableArea) {
    const WindowRect available{0, 32, 1600, 968};
    EXPECT_EQ(firstStartRect(1100, 760, available), (WindowRect{0, 32, 1100, 760}));
    EXPECT_EQ(firstStartRect(1900, 1200, available), (WindowRect{0, 32, 1600, 968}));
}

TEST(WindowPlacement, WindowIsPulledBackOntoTheScreen) {
    struct Case {
        WindowRect stored;
        WindowRect placed;
    };
    const Case cases[] = {
        {{1800, 100, 640, 480}, {1280, 100, 640, 480}},
        {{100, 900, 640, 480}, {100, 600, 640, 480}},
        {{-50, -20, 640, 480}, {0, 0, 640, 480}},
        {{1280, 600, 640, 480}, {1280, 600, 640, 480}},
        // Larger than the screen: the size stays, the title bar stays reachable.
        {{300, 200, 2500, 1200}, {0, 0, 2500, 1200}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(placeOnScreen(c.stored, 1920, 1080), c.placed)
            << c.stored.x << "," << c.stored.y << " " << c.stored.width << "x" << c.stored.height;
}

TEST(WindowPlacement, StoresTheNormalRectangleNeverAtANegativePosition) {
    MemorySettingsStore settings;
    storeWindowPlacement(settings, {-8, -8, 1000, 700}, true);
    EXPECT_EQ(storedWindowRect(settings), (WindowRect{0, 0, 1000, 700}));
    EXPECT_TRUE(storedZoomed(settings));
    storeWindowPlacement(settings, {30, 40, 800, 600}, false);
    EXPECT_EQ(settings.readInt("Last", "Zoomed"), 0);
    EXPECT_EQ(storedWindowRect(settings), (WindowRect{30, 40, 800, 600}));
}

} // namespace
} // namespace byzel

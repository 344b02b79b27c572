#include "core/settings/memorysettings.h"
#include "core/workflow/recentfiles.h"

#include <gtest/gtest.h>

namespace byzel {
namespace {

TEST(RecentFiles, KeepsTenMarkerFilesMostRecentFirstInTheSettings) {
    MemorySettingsStore settings;
    {
        RecentFileList list(settings);
        for (int i = 0; i < 12; ++i)
            list.add("/w/f" + std::to_string(i) + ".mkg");
        list.add("/w/f5.mkg");
        EXPECT_EQ(list.entries().size(), 10u);
        EXPECT_EQ(list.entry(0), "/w/f5.mkg");
        EXPECT_EQ(list.entry(1), "/w/f11.mkg");
        EXPECT_EQ(list.entry(9), "/w/f2.mkg");
        list.remove(1);
    }
    RecentFileList reread(settings);
    EXPECT_EQ(reread.entries().size(), 9u);
    EXPECT_EQ(reread.entry(1), "/w/f10.mkg");
    EXPECT_EQ(settings.readText("Recent File List", "File10"), "");
}

TEST(RecentFiles, EntriesThatAreNotMarkerFilesDisappear) {
    MemorySettingsStore settings;
    settings.writeText("Recent File List", "File1", "/w/a.MKG");
    settings.writeText("Recent File List", "File2", "/w/data.bin");
    settings.writeText("Recent File List", "File3", "/w/b.mkg");
    RecentFileList list(settings);
    EXPECT_EQ(list.itemText(0), "&1 a.MKG");
    EXPECT_EQ(list.itemText(1), "");
    EXPECT_EQ(list.entries(), (std::vector<std::string>{"/w/a.MKG", "/w/b.mkg"}));
    settings.writeText("Recent File List", "File3", "/w/notes.txt");
    RecentFileList atStart(settings);
    atStart.removeNonMarkerFiles();
    EXPECT_EQ(atStart.entries(), (std::vector<std::string>{"/w/a.MKG", "/w/b.mkg"}));
}

TEST(RecentFiles, MarkerFileExtensionIgnoresCase) {
    EXPECT_TRUE(hasMarkerFileExtension("x.mkg"));
    EXPECT_TRUE(hasMarkerFileExtension("/a/B.MkG"));
    EXPECT_FALSE(hasMarkerFileExtension("mkg"));
    EXPECT_FALSE(hasMarkerFileExtension("/a/b.mkgx"));
    EXPECT_FALSE(hasMarkerFileExtension(""));
}

} // namespace
} // namespace byzel

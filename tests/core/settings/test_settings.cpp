#include "core/settings/memorysettings.h"
#include "core/settings/printsettings.h"

#include <gtest/gtest.h>

namespace byzel {
namespace {

TEST(Settings, AbsentValuesReadAsTheirDefaults) {
    MemorySettingsStore s;
    EXPECT_EQ(s.readText("Settings", "FontName"), "ＭＳ ゴシック");
    EXPECT_EQ(s.readInt("Settings", "FontSize"), 12);
    EXPECT_EQ(s.readInt("Last", "SX"), 640);
    EXPECT_EQ(s.readInt("Last", "SY"), 480);
    EXPECT_EQ(s.readInt("Last", "MarginT"), 10);
    EXPECT_EQ(s.readInt("Last", "MarginR"), 20);
    EXPECT_EQ(s.readInt("Last", "PaperSize"), 9);
    EXPECT_EQ(s.readInt("Last", "MaxChar"), 4000);
    EXPECT_EQ(s.readInt("Last", "Endian"), 1);
    EXPECT_EQ(s.readText("Last", "8011"), "");
    EXPECT_EQ(s.readText("Last", "8219"), "");
    EXPECT_EQ(s.readText("Recent", "Replace6"), "");
}

TEST(Settings, WritesAreReadBackByType) {
    MemorySettingsStore s;
    s.writeInt("Settings", "FontSize", 16);
    s.writeText("Last", "OpenFile", "/tmp/データ.bin");
    EXPECT_EQ(s.readInt("Settings", "FontSize"), 16);
    EXPECT_EQ(s.readText("Last", "OpenFile"), "/tmp/データ.bin");
    s.remove("Settings", "FontSize");
    EXPECT_EQ(s.readInt("Settings", "FontSize"), 12);
}

TEST(Settings, NamesOutsideTheTableAndWrongTypesAreRefused) {
    EXPECT_EQ(findSetting("Last", "8012"), nullptr);
    EXPECT_EQ(findSetting("Recent", "Search7"), nullptr);
    ASSERT_NE(findSetting("Recent File List", "File10"), nullptr);
#ifdef NDEBUG
    MemorySettingsStore s;
    s.writeText("Settings", "FontSize", "16");
    EXPECT_EQ(s.readInt("Settings", "FontSize"), 12);
    s.writeInt("Nowhere", "Value", 3);
    EXPECT_FALSE(s.contains("Nowhere", "Value"));
#endif
}

TEST(Settings, EveryValueNameIsUniqueWithinItsSection) {
    auto table = settingTable();
    for (size_t i = 0; i < table.size(); ++i)
        for (size_t j = i + 1; j < table.size(); ++j)
            EXPECT_FALSE(table[i].section == table[j].section && table[i].name == table[j].name)
                << table[i].section << "/" << table[i].name;
}

TEST(PrintSettings, MarginsEditedByHandStayOnTheSheet) {
    MemorySettingsStore settings;
    settings.writeInt(section::Last, "MarginT", -1);
    settings.writeInt(section::Last, "MarginL", 2147483647);
    settings.writeInt(section::Last, "MarginR", 51);
    const PrintSettings p = PrintSettings::load(settings);
    EXPECT_EQ(p.marginTop, 0);
    EXPECT_EQ(p.marginLeft, 50);
    EXPECT_EQ(p.marginRight, 50);
    EXPECT_EQ(p.marginBottom, 5) << "the default, below the dialog's range, stays";
}

} // namespace
} // namespace byzel

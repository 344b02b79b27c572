#include "core/settings/settings.h"

#include <cassert>
#include <vector>

namespace byzel {
namespace {

std::vector<SettingDef> buildTable() {
    using T = SettingType;
    const std::string S(section::Settings), L(section::Last), R(section::Recent);
    std::vector<SettingDef> t = {
        {S, "FontName", T::Text, 0, "ＭＳ ゴシック"},
        {S, "FontSize", T::Integer, 12, ""},
        {S, "FontBold", T::Integer, 0, ""},
        {S, "OpenLast", T::Integer, 0, ""},
        {S, "LeftScrolBar", T::Integer, 0, ""},
        {L, "Zoomed", T::Integer, 0, ""},
        {L, "PX", T::Integer, 0, ""},
        {L, "PY", T::Integer, 0, ""},
        {L, "SX", T::Integer, 640, ""},
        {L, "SY", T::Integer, 480, ""},
        {L, "OpenFile", T::Text, 0, ""},
        {L, "MarginT", T::Integer, 10, ""},
        {L, "MarginB", T::Integer, 5, ""},
        {L, "MarginL", T::Integer, 5, ""},
        {L, "MarginR", T::Integer, 20, ""},
        {L, "PaperSize", T::Integer, 9, ""},
        {L, "Orientation", T::Integer, 1, ""},
        {L, "PrintRange", T::Integer, 2, ""},
        {L, "PageCnt", T::Integer, 5, ""},
        {L, "SaveFile", T::Text, 0, ""},
        {L, "MaxChar", T::Integer, 4000, ""},
        {L, "CharType", T::Integer, 0, ""},
        {L, "Off10", T::Text, 0, ""},
        {L, "Endian", T::Integer, 1, ""},
        // Recovery files written when a signal ended a modified work, one path a line, shown
        // and forgotten at the next start.
        {L, "Recovered", T::Text, 0, ""},
    };
    // The console's hexadecimal boxes, named by their control ids.
    auto boxes = [&](int first, int count) {
        for (int id = first; id < first + count; ++id)
            t.push_back({L, std::to_string(id), T::Text, 0, ""});
    };
    boxes(8000, 12);
    boxes(8100, 3);
    boxes(8200, 20);
    for (int i = 0; i < 7; ++i) {
        t.push_back({R, "Search" + std::to_string(i), T::Text, 0, ""});
        t.push_back({R, "Replace" + std::to_string(i), T::Text, 0, ""});
    }
    // The recent-file list, most recent first.
    for (int i = 1; i <= kRecentFileCount; ++i)
        t.push_back(
            {std::string(section::RecentFiles), "File" + std::to_string(i), T::Text, 0, ""});
    return t;
}

const std::vector<SettingDef>& table() {
    static const std::vector<SettingDef> t = buildTable();
    return t;
}

const SettingDef* lookup(std::string_view section, std::string_view name, SettingType type) {
    const SettingDef* def = findSetting(section, name);
    assert(def && def->type == type && "setting not in the table");
    return def && def->type == type ? def : nullptr;
}

} // namespace

std::span<const SettingDef> settingTable() {
    return table();
}

const SettingDef* findSetting(std::string_view section, std::string_view name) {
    for (const auto& def : table())
        if (def.section == section && def.name == name)
            return &def;
    return nullptr;
}

int SettingsStore::readInt(std::string_view section, std::string_view name) const {
    const SettingDef* def = lookup(section, name, SettingType::Integer);
    if (!def)
        return 0;
    return loadInt(section, name).value_or(def->intDefault);
}

std::string SettingsStore::readText(std::string_view section, std::string_view name) const {
    const SettingDef* def = lookup(section, name, SettingType::Text);
    if (!def)
        return {};
    return loadText(section, name).value_or(def->textDefault);
}

bool SettingsStore::isStored(std::string_view section, std::string_view name) const {
    const SettingDef* def = findSetting(section, name);
    if (!def)
        return false;
    return def->type == SettingType::Integer ? loadInt(section, name).has_value()
                                             : loadText(section, name).has_value();
}

void SettingsStore::writeInt(std::string_view section, std::string_view name, int value) {
    if (lookup(section, name, SettingType::Integer))
        storeInt(section, name, value);
}

void SettingsStore::writeText(std::string_view section, std::string_view name,
                              std::string_view value) {
    if (lookup(section, name, SettingType::Text))
        storeText(section, name, value);
}

void SettingsStore::remove(std::string_view section, std::string_view name) {
    if (findSetting(section, name))
        erase(section, name);
}

} // namespace byzel

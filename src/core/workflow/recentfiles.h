#pragma once

#include "core/settings/settings.h"

#include <string>
#include <string_view>
#include <vector>

namespace byzel {

// Whether the last four characters of path, in small letters, are ".mkg".
[[nodiscard]] bool hasMarkerFileExtension(std::string_view path);

// The list of the last ten marker files opened or saved, most recent first, kept in the
// settings store ("Recent File List", "File1" to "File10").
class RecentFileList {
public:
    explicit RecentFileList(SettingsStore& settings);

    [[nodiscard]] const std::vector<std::string>& entries() const { return m_entries; }
    [[nodiscard]] std::string entry(int n) const;
    // Puts path at the top (once) and drops the oldest beyond ten.
    void add(const std::string& path);
    void remove(int n);
    // Drops every entry that is not a marker file, from the last to the first.
    void removeNonMarkerFiles();
    // Menu text of entry n, "&1 name.mkg"; removes the entry and gives nothing when it is not
    // a marker file.
    [[nodiscard]] std::string itemText(int n);

private:
    void store();

    SettingsStore& m_settings;
    std::vector<std::string> m_entries;
};

} // namespace byzel

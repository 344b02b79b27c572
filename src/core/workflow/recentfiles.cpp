#include "core/workflow/recentfiles.h"

#include "core/workflow/worktitle.h"

#include <algorithm>

namespace byzel {
namespace {

std::string valueName(int n) {
    return "File" + std::to_string(n + 1);
}

} // namespace

bool hasMarkerFileExtension(std::string_view path) {
    if (path.size() < 4)
        return false;
    std::string tail(path.substr(path.size() - 4));
    std::transform(tail.begin(), tail.end(), tail.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    return tail == ".mkg";
}

RecentFileList::RecentFileList(SettingsStore& settings) : m_settings(settings) {
    for (int n = 0; n < kRecentFileCount; ++n) {
        std::string path = m_settings.readText(section::RecentFiles, valueName(n));
        if (!path.empty())
            m_entries.push_back(std::move(path));
    }
}

std::string RecentFileList::entry(int n) const {
    return n >= 0 && n < static_cast<int>(m_entries.size()) ? m_entries[static_cast<size_t>(n)]
                                                            : std::string();
}

void RecentFileList::add(const std::string& path) {
    if (path.empty())
        return;
    std::erase(m_entries, path);
    m_entries.insert(m_entries.begin(), path);
    if (m_entries.size() > static_cast<size_t>(kRecentFileCount))
        m_entries.resize(kRecentFileCount);
    store();
}

void RecentFileList::remove(int n) {
    if (n < 0 || n >= static_cast<int>(m_entries.size()))
        return;
    m_entries.erase(m_entries.begin() + n);
    store();
}

void RecentFileList::removeNonMarkerFiles() {
    const auto before = m_entries.size();
    std::erase_if(m_entries, [](const std::string& p) { return !hasMarkerFileExtension(p); });
    if (m_entries.size() != before)
        store();
}

std::string RecentFileList::itemText(int n) {
    const std::string path = entry(n);
    if (path.empty())
        return {};
    if (!hasMarkerFileExtension(path)) {
        remove(n);
        return {};
    }
    std::string text = "&";
    text += std::to_string(n + 1);
    text += ' ';
    text += fileNameOf(path);
    return text;
}

void RecentFileList::store() {
    for (int n = 0; n < kRecentFileCount; ++n) {
        if (n < static_cast<int>(m_entries.size()))
            m_settings.writeText(section::RecentFiles, valueName(n),
                                 m_entries[static_cast<size_t>(n)]);
        else
            m_settings.remove(section::RecentFiles, valueName(n));
    }
}

} // namespace byzel

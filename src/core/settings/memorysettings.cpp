#include "core/settings/memorysettings.h"

namespace byzel {

bool MemorySettingsStore::contains(std::string_view section, std::string_view name) const {
    return m_values.contains({std::string(section), std::string(name)});
}

std::optional<int> MemorySettingsStore::loadInt(std::string_view section,
                                                std::string_view name) const {
    auto it = m_values.find({std::string(section), std::string(name)});
    if (it == m_values.end() || !std::holds_alternative<int>(it->second))
        return std::nullopt;
    return std::get<int>(it->second);
}

std::optional<std::string> MemorySettingsStore::loadText(std::string_view section,
                                                         std::string_view name) const {
    auto it = m_values.find({std::string(section), std::string(name)});
    if (it == m_values.end() || !std::holds_alternative<std::string>(it->second))
        return std::nullopt;
    return std::get<std::string>(it->second);
}

void MemorySettingsStore::storeInt(std::string_view section, std::string_view name, int value) {
    m_values[{std::string(section), std::string(name)}] = value;
}

void MemorySettingsStore::storeText(std::string_view section, std::string_view name,
                                    std::string_view value) {
    m_values[{std::string(section), std::string(name)}] = std::string(value);
}

void MemorySettingsStore::erase(std::string_view section, std::string_view name) {
    m_values.erase({std::string(section), std::string(name)});
}

} // namespace byzel

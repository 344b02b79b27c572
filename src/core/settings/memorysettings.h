#pragma once

#include "core/settings/settings.h"

#include <map>
#include <string>
#include <utility>
#include <variant>

namespace byzel {

// Settings held in memory: for tests and for tools that must not touch the user's settings.
class MemorySettingsStore final : public SettingsStore {
public:
    [[nodiscard]] bool contains(std::string_view section, std::string_view name) const;

protected:
    std::optional<int> loadInt(std::string_view section, std::string_view name) const override;
    std::optional<std::string> loadText(std::string_view section,
                                        std::string_view name) const override;
    void storeInt(std::string_view section, std::string_view name, int value) override;
    void storeText(std::string_view section, std::string_view name,
                   std::string_view value) override;
    void erase(std::string_view section, std::string_view name) override;

private:
    using Key = std::pair<std::string, std::string>;
    std::map<Key, std::variant<int, std::string>> m_values;
};

} // namespace byzel

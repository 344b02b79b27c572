#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace byzel {

enum class SettingType { Integer, Text };

// One persistent setting: where it lives, its type and the value it reads as when absent.
struct SettingDef {
    std::string section;
    std::string name;
    SettingType type;
    int intDefault;
    std::string textDefault;
};

// Every setting the program reads or writes.
[[nodiscard]] std::span<const SettingDef> settingTable();
[[nodiscard]] const SettingDef* findSetting(std::string_view section, std::string_view name);

// Section names.
namespace section {
inline constexpr std::string_view Settings = "Settings";
inline constexpr std::string_view Last = "Last";
inline constexpr std::string_view Recent = "Recent";
inline constexpr std::string_view RecentFiles = "Recent File List";
} // namespace section

inline constexpr int kRecentFileCount = 10;

// Typed access to the store. Reading a value that is absent gives the table's default; reading
// or writing a name the table does not know is a programming error and is refused (0 / "").
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    [[nodiscard]] int readInt(std::string_view section, std::string_view name) const;
    [[nodiscard]] std::string readText(std::string_view section, std::string_view name) const;
    // Whether the value was ever written, as opposed to reading as its default.
    [[nodiscard]] bool isStored(std::string_view section, std::string_view name) const;
    void writeInt(std::string_view section, std::string_view name, int value);
    void writeText(std::string_view section, std::string_view name, std::string_view value);
    void remove(std::string_view section, std::string_view name);
    // Writes pending changes out and takes in those another running program made; stores held
    // in memory have nothing to do.
    virtual void sync() {}

protected:
    [[nodiscard]] virtual std::optional<int> loadInt(std::string_view section,
                                                     std::string_view name) const = 0;
    [[nodiscard]] virtual std::optional<std::string> loadText(std::string_view section,
                                                              std::string_view name) const = 0;
    virtual void storeInt(std::string_view section, std::string_view name, int value) = 0;
    virtual void storeText(std::string_view section, std::string_view name,
                           std::string_view value) = 0;
    virtual void erase(std::string_view section, std::string_view name) = 0;
};

} // namespace byzel

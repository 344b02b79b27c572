#pragma once

#include "core/settings/settings.h"

#include <QSettings>

#include <memory>

namespace byzel {

// The settings store of the desktop program: QSettings("Veltran", "Byzel"), an INI file under
// the user's configuration folder on Linux. Tests pass a file of their own.
class QSettingsStore final : public SettingsStore {
public:
    QSettingsStore();
    explicit QSettingsStore(const QString& iniFile);

    void sync() override { m_settings->sync(); }

protected:
    std::optional<int> loadInt(std::string_view section, std::string_view name) const override;
    std::optional<std::string> loadText(std::string_view section,
                                        std::string_view name) const override;
    void storeInt(std::string_view section, std::string_view name, int value) override;
    void storeText(std::string_view section, std::string_view name,
                   std::string_view value) override;
    void erase(std::string_view section, std::string_view name) override;

private:
    std::unique_ptr<QSettings> m_settings;
};

} // namespace byzel

#include "app/qsettingsstore.h"

namespace byzel {
namespace {

QString keyOf(std::string_view section, std::string_view name) {
    return QString::fromUtf8(section.data(), qsizetype(section.size())) + '/' +
           QString::fromUtf8(name.data(), qsizetype(name.size()));
}

} // namespace

QSettingsStore::QSettingsStore() : m_settings(std::make_unique<QSettings>("Veltran", "Byzel")) {}

QSettingsStore::QSettingsStore(const QString& iniFile)
    : m_settings(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

std::optional<int> QSettingsStore::loadInt(std::string_view section, std::string_view name) const {
    QVariant v = m_settings->value(keyOf(section, name));
    bool ok = false;
    int value = v.toInt(&ok);
    if (!v.isValid() || !ok)
        return std::nullopt;
    return value;
}

std::optional<std::string> QSettingsStore::loadText(std::string_view section,
                                                    std::string_view name) const {
    QVariant v = m_settings->value(keyOf(section, name));
    if (!v.isValid())
        return std::nullopt;
    return v.toString().toUtf8().toStdString();
}

void QSettingsStore::storeInt(std::string_view section, std::string_view name, int value) {
    m_settings->setValue(keyOf(section, name), value);
}

void QSettingsStore::storeText(std::string_view section, std::string_view name,
                               std::string_view value) {
    m_settings->setValue(keyOf(section, name),
                         QString::fromUtf8(value.data(), qsizetype(value.size())));
}

void QSettingsStore::erase(std::string_view section, std::string_view name) {
    m_settings->remove(keyOf(section, name));
}

} // namespace byzel

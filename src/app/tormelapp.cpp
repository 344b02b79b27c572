#include "app/tormelapp.h"

namespace byzel {

CTormelApp::CTormelApp(SettingsStore& settings, UiPort& ui, QObject* parent)
    : QObject(parent), m_settings(settings), m_ui(ui) {
    m_work.setTitleListener(
        [this](const std::string& title) { emit titleChanged(QString::fromStdString(title)); });
}

} // namespace byzel

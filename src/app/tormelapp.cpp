#include "app/tormelapp.h"

#include <QCoreApplication>

namespace byzel {

CTormelApp::CTormelApp(SettingsStore& settings, UiPort& ui, QString programFolder, QObject* parent)
    : QObject(parent), m_settings(settings), m_ui(ui),
      m_programFolder(programFolder.isEmpty() ? QCoreApplication::applicationDirPath()
                                              : programFolder),
      m_workflow(m_work, m_view, m_viewLink, m_ui, m_settings, m_recentFiles,
                 m_programFolder.toStdString()) {
    m_work.setTitleListener([this](const std::string& title) {
        emit titleChanged(QString::fromStdString(title));
        emit workChanged();
    });
}

CTormelApp::~CTormelApp() {
    m_printSettings.saveMargins(m_settings);
}

} // namespace byzel

#include "app/tormelapp.h"

#include "app/progressrunner.h"

#include <QCoreApplication>
#include <QTimer>

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
    // The copy ends on its own thread; the work is only ever touched on ours.
    m_work.dump().setCopyEndedListener([this] {
        QMetaObject::invokeMethod(this, &CTormelApp::settleDumpCopy, Qt::QueuedConnection);
    });
}

void CTormelApp::settleDumpCopy() {
    constexpr int kRetryMs = 100;
    if (ProgressRunner::isRunning()) {
        QTimer::singleShot(kRetryMs, this, &CTormelApp::settleDumpCopy);
        return;
    }
    m_workflow.settleDumpCopy();
}

bool CTormelApp::finishDumpCopy(QWidget* parent) {
    return m_workflow.finishDumpCopy(
        ProgressRunner::runnerFor(parent, QStringLiteral("ファイルを読み込んでいます...")));
}

CTormelApp::~CTormelApp() {
    // Stops a copy still running before anything it might tell goes.
    m_work.dump().close();
    m_printSettings.saveMargins(m_settings);
}

} // namespace byzel

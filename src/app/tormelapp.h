#pragma once

#include "core/settings.h"
#include "core/uiport.h"
#include "core/viewstate.h"
#include "core/work.h"
#include "core/workfolder.h"

#include <QObject>
#include <QString>

namespace byzel {

// The application object: owns the open work and hands the settings store and the dialogs
// port to everything else. Window-independent so tests can build it headless.
class CTormelApp : public QObject {
    Q_OBJECT
public:
    CTormelApp(SettingsStore& settings, UiPort& ui, QObject* parent = nullptr);

    [[nodiscard]] Work& work() { return m_work; }
    [[nodiscard]] const Work& work() const { return m_work; }
    [[nodiscard]] ViewState& view() { return m_view; }
    [[nodiscard]] const ViewState& view() const { return m_view; }
    [[nodiscard]] SettingsStore& settings() { return m_settings; }
    [[nodiscard]] UiPort& ui() { return m_ui; }

    [[nodiscard]] QString title() const { return QString::fromStdString(m_work.title()); }

signals:
    void titleChanged(const QString& title);

private:
    SettingsStore& m_settings;
    UiPort& m_ui;
    WorkFolder m_workFolder;
    Work m_work{m_workFolder};
    ViewState m_view;
};

} // namespace byzel

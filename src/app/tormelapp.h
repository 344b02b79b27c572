#pragma once

#include "core/workflow/documentworkflow.h"
#include "core/settings/printsettings.h"
#include "core/workflow/recentfiles.h"
#include "core/settings/settings.h"
#include "core/ui/uiport.h"
#include "core/viewmodel/viewstate.h"
#include "core/workflow/work.h"
#include "core/dumpfile/workfolder.h"
#include "core/workflow/workview.h"

#include <QObject>
#include <QString>

namespace byzel {

// The application object: owns the open work and hands the settings store and the dialogs
// port to everything else. Window-independent so tests can build it headless.
class CTormelApp : public QObject {
    Q_OBJECT
public:
    // programFolder holds the program and its "SampleData" folder; empty for the folder of the
    // running program.
    CTormelApp(SettingsStore& settings, UiPort& ui, QString programFolder = {},
               QObject* parent = nullptr);
    // Keeps the print margins for the next run.
    ~CTormelApp() override;

    [[nodiscard]] Work& work() { return m_work; }
    [[nodiscard]] const Work& work() const { return m_work; }
    [[nodiscard]] ViewState& view() { return m_view; }
    [[nodiscard]] const ViewState& view() const { return m_view; }
    [[nodiscard]] SettingsStore& settings() { return m_settings; }
    [[nodiscard]] UiPort& ui() { return m_ui; }
    [[nodiscard]] PrintSettings& printSettings() { return m_printSettings; }
    [[nodiscard]] RecentFileList& recentFiles() { return m_recentFiles; }
    [[nodiscard]] DocumentWorkflow& workflow() { return m_workflow; }
    [[nodiscard]] WorkFolder& workFolder() { return m_workFolder; }
    // The folder of the program, where its "SampleData" folder and its manual lie.
    [[nodiscard]] const QString& programFolder() const { return m_programFolder; }
    // The view that shows the work; the workflow reaches it from now on.
    void attachView(WorkView* view) { m_viewLink.target = view; }
    void detachView(WorkView* view) {
        if (m_viewLink.target == view)
            m_viewLink.target = nullptr;
    }

    [[nodiscard]] QString title() const { return QString::fromStdString(m_work.title()); }

    // Waits, behind a progress dialog the user may stop, until the dump file is read from its
    // complete working copy. False when stopped or when the work is no longer open.
    [[nodiscard]] bool finishDumpCopy(QWidget* parent);

    // Value check's numbers for the ribbon's "Big..." and "Little" boxes.
    void showValues(const QString& bigEndian, const QString& littleEndian) {
        emit valuesShown(bigEndian, littleEndian);
    }

signals:
    void titleChanged(const QString& title);
    // The work changed: a file was opened or closed, markers or names changed, the title was
    // rewritten. Whatever shows facts about the work follows this, not the user's input.
    void workChanged();
    void valuesShown(const QString& bigEndian, const QString& littleEndian);

private:
    // Takes over a background copy that ended, once no pass reads the dump file any more.
    void settleDumpCopy();

    // Passes the workflow's requests on to the attached view, if any.
    // Every request means the work changed, so each one is announced too.
    struct ViewLink : WorkView {
        explicit ViewLink(CTormelApp& owner) : app(owner) {}
        void layOut() override {
            if (target)
                target->layOut();
            emit app.workChanged();
        }
        void repaint() override {
            if (target)
                target->repaint();
            emit app.workChanged();
        }
        void hidePopup() override {
            if (target)
                target->hidePopup();
        }
        CTormelApp& app;
        WorkView* target = nullptr;
    };

    SettingsStore& m_settings;
    UiPort& m_ui;
    QString m_programFolder;
    WorkFolder m_workFolder;
    Work m_work{m_workFolder};
    ViewState m_view;
    PrintSettings m_printSettings = PrintSettings::load(m_settings);
    RecentFileList m_recentFiles{m_settings};
    ViewLink m_viewLink{*this};
    DocumentWorkflow m_workflow;
};

} // namespace byzel

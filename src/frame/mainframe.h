#pragma once

#include "core/viewmodel/commandstate.h"
#include "core/viewmodel/viewgeometry.h"
#include "core/settings/windowplacement.h"
#include "markers/markertools.h"

#include <QMainWindow>

class QWheelEvent;

namespace byzel {

class CTormelApp;
class CommandTable;
class CMyStatusBar;
class MarkerCommands;
class CTormelView;
class Ribbon;

// The program's single top-level window: the ribbon with every command of the program, the
// dump view in the middle and the status bar. It keeps the commands' enabled and checked
// states up to date, restores and saves its placement, takes dropped files and asks before
// the program closes.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(CTormelApp& app, QWidget* parent = nullptr);
    ~CMainFrame() override;

    [[nodiscard]] CTormelView* view() const { return m_view; }
    [[nodiscard]] CommandTable& commands() { return *m_commands; }
    [[nodiscard]] Ribbon& ribbon() { return *m_ribbon; }
    // The marker menus' and dialogs' commands, and the hooks through which they open the file
    // and analysis tools (filled by those tools; entries stay disabled while a hook is empty).
    [[nodiscard]] MarkerCommands& markerCommands() { return *m_markerCommands; }
    [[nodiscard]] MarkerToolHooks& markerTools() { return m_markerTools; }

    // Places the window as it was last closed, kept on a screen of the given size. At the
    // first start it opens large enough for the whole ribbon and the listing with its remark
    // column, within the available area of the screen.
    void restorePlacement(const QSize& screen, const QRect& available);
    // Shows the window maximised when it was maximised at the last close.
    void showAtStart();
    // The window's normal rectangle and whether it is maximised, as the settings keep them.
    void savePlacement();

    // Applies every command's update rule and brings the status bar's facts up to date now.
    void updateCommands();
    [[nodiscard]] CommandContext commandContext() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Hands a wheel turned over the ribbon or the status bar to the dump view.
    bool forwardWheelToView(QObject* receiver, const QWheelEvent& wheel);
    void addCommands();
    void addFileCommands();
    void addViewCommands();
    void addModeCommands();
    void addMarkerCommands();
    void connectMarkerTools();
    void setMode(InteractionMode mode);
    void limitMarkerNumber();
    void showMarkerAtTop();
    void clearAllMarkers();
    void refreshRecentFiles();
    // Updates the commands once the events of the moment have been handled.
    void scheduleUpdate();

    CTormelApp& m_app;
    CTormelView* m_view;
    CommandTable* m_commands;
    CMyStatusBar* m_status = nullptr;
    Ribbon* m_ribbon;
    MarkerToolHooks m_markerTools;
    MarkerCommands* m_markerCommands;
    bool m_updatePending = false;
};

} // namespace byzel

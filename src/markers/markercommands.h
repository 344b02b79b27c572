#pragma once

#include "markers/markerediting.h"
#include "markers/markertools.h"

#include <QObject>
#include <QPoint>

class QMenu;
class QWidget;

namespace byzel {

class CTormelApp;
class CTormelView;

// Commands of the view's context menus.
enum MarkerMenuCommand : int {
    ID_RECOLOR_ALL = 313,
    ID_TAKE_PEN_COLOR = 327,
    ID_CLEAR_MARKER = 33781,
    ID_MOVE_MARKERS = 33830,
    ID_FILE_FROM_MARKER = 328,
    ID_FILE_FROM_ALL_MARKERS = 330,
    ID_MARKER_PROPERTIES = 33799,
    ID_SET_REFERENCE_POINT = 323,
    ID_CRC_TO_HERE = 333,
    ID_COUNT_OCCURRENCES = 335,
    ID_MARKER_TO_TOP = 334,
    ID_COPY_REMARK = 33841,
    ID_PASTE_REMARK = 33842,
};

// The marker commands of the view's context menus and the marker dialogs the frame and the
// view open. The menu's commands work on the marker and the point of the right click that
// opened it.
class MarkerCommands : public QObject {
    Q_OBJECT
public:
    MarkerCommands(CTormelApp& app, CTormelView& view, const MarkerToolHooks& tools,
                   QWidget* dialogParent);

    // The menu "VIEW", "VIEW_MARKER" or "MARKER_NO" for the view's last right click, with the
    // items greyed that cannot run now. The caller owns it.
    [[nodiscard]] QMenu* buildMenu(const QString& name, int marker, QPoint clickedPoint);
    void showMenu(const QString& name, int marker, const QPoint& globalPos);
    void run(int command, int marker, QPoint clickedPoint);

    void openProperties(int marker);
    void openMoveDialog(int first);
    void openManagementList();
    void openBulkEditor();

    // Individual commands, each doing nothing for marker -1.
    void recolorAll(int marker);
    void takePenColor(int marker);
    void clearMarker(int marker);
    void copyRemark(int marker);
    void pasteRemark(int marker);
    void setReferencePoint(QPoint clickedPoint);

signals:
    // A command changed something the frame shows in its commands or status bar.
    void stateChanged();

private:
    [[nodiscard]] MarkerEditing editing() const;
    [[nodiscard]] bool validMarker(int marker) const;

    CTormelApp& m_app;
    CTormelView& m_view;
    const MarkerToolHooks& m_tools;
    QWidget* m_dialogParent;
};

} // namespace byzel

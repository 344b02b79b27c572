#pragma once

#include "markers/markerediting.h"
#include "markers/markertools.h"

#include <QDialog>

class QMenu;
class QTableView;

namespace byzel {

class MarkerListModel;

// All markers in a list with check boxes: checked markers can be cleared together or written
// into a new file. Check marks are forgotten when the dialog closes.
class CMarkMentDlg : public QDialog {
    Q_OBJECT
public:
    // Commands of the list's context menu.
    enum Command {
        CheckAll = 33832,
        UncheckAll = 33833,
        CheckSelected = 33834,
        UncheckSelected = 33835,
        ClearChecked = 33836,
        WriteChecked = 329,
    };

    CMarkMentDlg(const MarkerEditing& editing, const MarkerToolHooks& tools,
                 QWidget* parent = nullptr);

    [[nodiscard]] QTableView* list() const { return m_list; }
    [[nodiscard]] MarkerListModel* model() const { return m_model; }
    // The context menu the list opens on a right click.
    [[nodiscard]] QMenu* contextMenu() const { return m_menu; }
    void run(Command command);

private:
    void setSelectedChecked(bool checked);
    void clearChecked();
    void writeChecked();

    MarkerEditing m_editing;
    const MarkerToolHooks& m_tools;
    MarkerListModel* m_model;
    QTableView* m_list;
    QMenu* m_menu;
};

} // namespace byzel

#pragma once

#include "core/search/hextext.h"
#include "core/types.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace byzel {

class CTormelApp;
class CTormelView;
class HexBox;

// The binary editor: the 16 bytes of the reference point's row, overwritten in the dump file
// itself, in place, after a question and a backup. The reference point moves with the dialog's
// buttons and the view follows.
class CEditDlg : public QDialog {
    Q_OBJECT
public:
    CEditDlg(CTormelApp& app, CTormelView& view, QWidget* parent = nullptr);

    [[nodiscard]] QWidget* control(int id) const;
    [[nodiscard]] bool changed() const { return m_changed; }

private:
    void loadRow();
    void showMarks();
    void boxEdited(int column);
    void setChanged(bool changed);
    // Writes the row after asking; false when not written.
    bool writeRow();
    void moveUp();
    void moveDown();
    void moveLeft();
    void moveRight();
    void referenceRowToTop();

    CTormelApp& m_app;
    CTormelView& m_view;
    Offset m_reference;
    int m_byteCount = 0;
    bool m_changed = false;
    bool m_loading = false;
};

} // namespace byzel

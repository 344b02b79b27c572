#pragma once

#include "markers/markerediting.h"

#include <QDialog>

class QLabel;
class QRadioButton;
class QSpinBox;

namespace byzel {

// Shifts the markers from a given one to a chosen later one by the same number of bytes. The
// dialog stays open after a move so the user can move again; a refused move says why in the
// dialog's own error line.
class CMoveMarkDlg : public QDialog {
    Q_OBJECT
public:
    CMoveMarkDlg(const MarkerEditing& editing, int first, QWidget* parent = nullptr);

    [[nodiscard]] QSpinBox* amountSpin() const { return m_amount; }
    [[nodiscard]] QSpinBox* lastSpin() const { return m_last; }
    [[nodiscard]] QRadioButton* backwardRadio() const { return m_backward; }
    [[nodiscard]] QRadioButton* forwardRadio() const { return m_forward; }
    [[nodiscard]] QString headingText() const;
    [[nodiscard]] QString rangeText() const;
    [[nodiscard]] QString lastMarkerText() const;
    [[nodiscard]] QString errorText() const;

    // "移動実行": moves the run when the neighbours and the file leave room for it.
    void move();

private:
    void showLastMarker(int number);

    MarkerEditing m_editing;
    int m_first;
    QLabel* m_heading;
    QSpinBox* m_amount;
    QRadioButton* m_backward;
    QRadioButton* m_forward;
    QSpinBox* m_last;
    QLabel* m_range;
    QLabel* m_lastMarker;
    QLabel* m_error;
};

} // namespace byzel

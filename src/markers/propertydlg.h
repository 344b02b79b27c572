#pragma once

#include "core/markers/markernudge.h"
#include "markers/markerediting.h"

#include <QDialog>

#include <string>

class QLabel;
class QPlainTextEdit;
class QToolButton;

namespace byzel {

class ColorPickButton;

// One marker's colour, range and remark, changed in place: every accepted change goes into the
// table at once and the view is repainted; "閉じる" only closes.
class CPropertyDlg : public QDialog {
    Q_OBJECT
public:
    CPropertyDlg(const MarkerEditing& editing, int index, QWidget* parent = nullptr);

    // Controls, for tests and screenshots.
    [[nodiscard]] ColorPickButton* colorButton() const { return m_colorButton; }
    [[nodiscard]] QToolButton* nudgeButton(MarkerNudge nudge) const;
    [[nodiscard]] QPlainTextEdit* remarkEdit() const { return m_remarkEdit; }
    [[nodiscard]] QString colorText() const;
    [[nodiscard]] QString counterText() const;
    // Start, end and byte count as shown: hexadecimal, then decimal.
    [[nodiscard]] QStringList addressTexts() const;

    // What the colour button reports when the user picks a colour.
    void colorPicked(ColorRef color);

private:
    void nudge(MarkerNudge nudge);
    void remarkEdited();
    void showAddresses();
    void showColor();
    void showCounter(std::size_t bytes);
    [[nodiscard]] const MarkerRecord& record() const { return m_editing.markers()[m_index]; }

    MarkerEditing m_editing;
    int m_index;
    ColorPickButton* m_colorButton;
    QLabel* m_colorText;
    QToolButton* m_nudges[4];
    QLabel* m_startHex;
    QLabel* m_endHex;
    QLabel* m_startDec;
    QLabel* m_endDec;
    QLabel* m_bytesHex;
    QLabel* m_bytesDec;
    QPlainTextEdit* m_remarkEdit;
    QLabel* m_counter;
};

} // namespace byzel

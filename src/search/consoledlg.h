#pragma once

#include "core/search/hextext.h"
#include "core/search/patternsearch.h"

#include <QDialog>

#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace byzel {

class CTormelApp;
class CTormelView;
class HexBox;

// The search and replace console: byte patterns typed as text or hexadecimal searched upward
// and downward, offsets from the reference point, and replacement in the dump file itself.
// The search hit it makes stays for the view after it closes.
class CConsoleDlg : public QDialog {
    Q_OBJECT
public:
    CConsoleDlg(CTormelApp& app, CTormelView& view, QWidget* parent = nullptr);

    // The control with the given id: a box, button, label or text box.
    [[nodiscard]] QWidget* control(int id) const;

    void done(int result) override;

private:
    QWidget* buildPatternRows();
    QWidget* buildOffsetRows();
    QPushButton* button(int id, const QString& text, const QString& tip);
    HexBox* hexBox(int id);

    // The row's box texts, read into bytes as the boxes say; nothing after a refusal (the
    // focus is then on the box at fault).
    std::optional<ByteString> readRow(int firstId, int count, bool emptyAllowed);
    void setRow(int firstId, const std::vector<std::string>& texts);
    void textToBoxes(QLineEdit* text, int firstId, int count);

    void search(SearchDirection direction);
    void hitToReferencePoint();
    void replaceCurrent();
    void replaceAll();
    void gotoHexOffset();
    void gotoDecimalOffset();
    void scrollOneRow(bool up);
    void offsetBoxChanged(HexBox* box);
    void updateOffsetLabels();
    void showRecentMenu(int rowId, QPushButton* from);
    void afterJump();
    void updateReplaceButton();
    [[nodiscard]] bool bigEndian() const;

    CTormelApp& m_app;
    CTormelView& m_view;
    QRadioButton* m_bigEndian = nullptr;
    QRadioButton* m_littleEndian = nullptr;
};

} // namespace byzel

#pragma once

#include "markers/markerediting.h"

#include <QDialog>
#include <QStringList>

#include <string>
#include <vector>

class QPlainTextEdit;
class QPushButton;

namespace byzel {

// Every remark as one line of text, "[0001]remark", for editing many at once. "保存して終了"
// stores the lines whose tag is right and closes; a wrong tag stops there with that line
// selected.
class CBatchDlg : public QDialog {
    Q_OBJECT
public:
    CBatchDlg(const MarkerEditing& editing, QWidget* parent = nullptr);

    [[nodiscard]] QPlainTextEdit* editor() const { return m_editor; }
    [[nodiscard]] QPushButton* saveButton() const { return m_save; }
    // Whether a save stored at least one remark.
    [[nodiscard]] bool changed() const { return m_changed; }

    void save();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void selectLine(int line);

    MarkerEditing m_editing;
    QPlainTextEdit* m_editor;
    QPushButton* m_save;
    // The lines as first shown and the remarks they came from, so an untouched line gives
    // back its bytes exactly, even bytes that are not valid Shift-JIS.
    // Each marker's line as the editor shows it: several lines for a remark with line breaks.
    std::vector<QStringList> m_shownBlocks;
    std::vector<std::string> m_sourceLines;
    bool m_changed = false;
};

} // namespace byzel

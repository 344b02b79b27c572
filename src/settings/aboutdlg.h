#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace byzel {

// The version information: the program's icon and name and its version history.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    [[nodiscard]] QPlainTextEdit* historyBox() const { return m_history; }

private:
    QPlainTextEdit* m_history;
};

void ShowAbout(QWidget* parent);

} // namespace byzel

#pragma once

#include <QDialog>

class QPdfDocument;

namespace byzel {

class UiPort;

// The manual: the PDF file shown in a window of its own.
class CHelpDlg : public QDialog {
    Q_OBJECT
public:
    // title is the manual's base name, shown as the window title.
    CHelpDlg(const QString& title, QWidget* parent = nullptr);

    // False when the file cannot be read as a PDF.
    bool load(const QString& path);
    [[nodiscard]] QPdfDocument* document() const { return m_document; }

private:
    QPdfDocument* m_document;
};

// Opens "Manual.pdf" from programFolder maximised; says so when it is not there.
void ShowManual(UiPort& ui, const QString& programFolder, QWidget* parent);

} // namespace byzel

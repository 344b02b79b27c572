#pragma once

#include "core/dumplist/dumpexport.h"
#include "core/print/pagelayout.h"

#include <QDialog>
#include <QImage>

#include <memory>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QPrinter;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace byzel {

class CTormelApp;
class MarginBox;
class PrintPreviewArea;
struct PrintContent;

// The print dialog: printer, paper and orientation, font size, range and margins, with a
// preview of the page that starts at the view's top row. Prints the range, or with
// "ファイル出力(&F) [" checked saves it as a text file and stays open.
class CInsatuDlg : public QDialog {
    Q_OBJECT
public:
    explicit CInsatuDlg(CTormelApp& app, QWidget* parent = nullptr);
    ~CInsatuDlg() override;

    // The printer's paper as the labels show it.
    [[nodiscard]] QString paperNameText() const;
    [[nodiscard]] QString paperSizeText() const;
    // Rows per page of the last preview; the text export takes its pages from it.
    [[nodiscard]] int previewRowsPerPage() const { return m_previewRows; }
    [[nodiscard]] ExportRange range() const;
    [[nodiscard]] bool printsToPdf() const;
    // The preview area as last drawn.
    [[nodiscard]] const QImage& previewImage() const { return m_preview; }

    void setOrientation(int orientation);

    // Stores the range, page count, paper and orientation whichever way the dialog closes.
    void done(int result) override;

private:
    void buildControls();
    void loadSettings();
    void showPrinterName();
    void updatePaper();
    void redrawPreview();
    void onOk();
    void onSetup();
    void onFileOutputToggled(bool on);
    void onFontSizeChosen(int index);
    void onMarginChanged();
    // False when the user turned back before anything was printed: the dialog stays open.
    bool printJob();
    void fileOutput();
    [[nodiscard]] Margins margins() const;
    [[nodiscard]] int fontPoints() const;
    [[nodiscard]] PrintContent content() const;
    // Paper width and height in millimetres, as the printer reports its physical page.
    [[nodiscard]] QSize paperMillimetres() const;

    CTormelApp& m_app;
    std::unique_ptr<QPrinter> m_printer;
    PrintPreviewArea* m_area = nullptr;
    QLabel* m_printerName = nullptr;
    QPushButton* m_setup = nullptr;
    QRadioButton* m_portrait = nullptr;
    QRadioButton* m_landscape = nullptr;
    QLabel* m_paperName = nullptr;
    QLabel* m_paperSize = nullptr;
    QComboBox* m_fontSize = nullptr;
    QRadioButton* m_all = nullptr;
    QRadioButton* m_currentPage = nullptr;
    QRadioButton* m_followingPages = nullptr;
    QSpinBox* m_pageCount = nullptr;
    MarginBox* m_top = nullptr;
    MarginBox* m_bottom = nullptr;
    MarginBox* m_left = nullptr;
    MarginBox* m_right = nullptr;
    QCheckBox* m_fileOutput = nullptr;
    QCheckBox* m_dumpOnly = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QImage m_preview;
    int m_previewRows = 1;
    // The controls hold the settings: from now on their changes are the user's.
    bool m_loaded = false;
};

} // namespace byzel

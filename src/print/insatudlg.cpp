#include "print/insatudlg.h"

#include "app/listingfont.h"
#include "app/tormelapp.h"
#include "core/dumpfile/replacingfile.h"
#include "core/dumplist/dumpexport.h"
#include "core/settings/settings.h"
#include "print/marginbox.h"
#include "print/papercodes.h"
#include "print/printjob.h"
#include "print/printpreviewarea.h"
#include "print/printprogress.h"
#include "tools/showfolder.h"
#include "view/dumppainter.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace byzel {
namespace {

constexpr QSize kPreviewSize(320, 360);

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// The system's default printer; without one, Qt's PDF output.
std::unique_ptr<QPrinter> defaultPrinter() {
    if (QPrinterInfo::defaultPrinter().isNull() && QPrinterInfo::availablePrinters().isEmpty()) {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        return printer;
    }
    return std::make_unique<QPrinter>(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
}

} // namespace

CInsatuDlg::CInsatuDlg(CTormelApp& app, QWidget* parent)
    : QDialog(parent), m_app(app), m_printer(defaultPrinter()) {
    setWindowTitle(QStringLiteral("印刷"));
    buildControls();
    loadSettings();
    m_loaded = true;
    updatePaper();
}

CInsatuDlg::~CInsatuDlg() = default;

void CInsatuDlg::buildControls() {
    m_area = new PrintPreviewArea(kPreviewSize, this);

    m_printerName = new QLabel(this);
    m_setup = new QPushButton(QStringLiteral("設定(&P)"), this);
    m_portrait = new QRadioButton(QStringLiteral("縦"), this);
    m_landscape = new QRadioButton(QStringLiteral("横"), this);
    auto* orientation = new QButtonGroup(this);
    orientation->addButton(m_portrait);
    orientation->addButton(m_landscape);
    m_paperName = new QLabel(QStringLiteral("A4"), this);
    m_paperSize = new QLabel(QStringLiteral("? X ? ﾐﾘ"), this);

    auto* printerBox = new QGroupBox(QStringLiteral("プリンタ"), this);
    auto* printerGrid = new QGridLayout(printerBox);
    printerGrid->addWidget(m_printerName, 0, 0, 1, 2);
    printerGrid->addWidget(m_setup, 0, 2);
    printerGrid->addWidget(m_portrait, 1, 0);
    printerGrid->addWidget(m_landscape, 1, 1);
    printerGrid->addWidget(m_paperName, 2, 0, 1, 3);
    printerGrid->addWidget(m_paperSize, 3, 0, 1, 3);

    m_fontSize = new QComboBox(this);
    for (int size : kPrintFontSizes)
        m_fontSize->addItem(QString::number(size));
    auto* fontRow = new QHBoxLayout;
    fontRow->addWidget(new QLabel(QStringLiteral("ＭＳ　ゴシック"), this));
    fontRow->addWidget(m_fontSize);
    fontRow->addWidget(new QLabel(QStringLiteral("p"), this));
    fontRow->addStretch();

    m_all = new QRadioButton(QStringLiteral("すべて(&A)"), this);
    m_currentPage = new QRadioButton(QStringLiteral("現在の頁(&N)"), this);
    m_followingPages = new QRadioButton(QStringLiteral("現在の頁から指定頁数(&M)"), this);
    auto* ranges = new QButtonGroup(this);
    for (QRadioButton* b : {m_all, m_currentPage, m_followingPages})
        ranges->addButton(b);
    m_pageCount = new QSpinBox(this);
    m_pageCount->setRange(kMinPageCount, kMaxPageCount);
    auto* rangeBox = new QGroupBox(QStringLiteral("印刷範囲"), this);
    auto* rangeGrid = new QGridLayout(rangeBox);
    rangeGrid->addWidget(m_all, 0, 0, 1, 4);
    rangeGrid->addWidget(m_currentPage, 1, 0, 1, 4);
    rangeGrid->addWidget(m_followingPages, 2, 0, 1, 4);
    rangeGrid->addWidget(new QLabel(QStringLiteral("頁数："), this), 3, 1);
    rangeGrid->addWidget(m_pageCount, 3, 2);
    rangeGrid->addWidget(new QLabel(QStringLiteral("(2-10)"), this), 3, 3);

    m_top = new MarginBox(MarginSide::Top, this);
    m_bottom = new MarginBox(MarginSide::Bottom, this);
    m_left = new MarginBox(MarginSide::Left, this);
    m_right = new MarginBox(MarginSide::Right, this);
    auto* marginBox = new QGroupBox(QStringLiteral("4 余白：(max 50mm)"), this);
    auto* marginGrid = new QGridLayout(marginBox);
    marginGrid->addWidget(new QLabel(QStringLiteral("上"), this), 0, 0);
    marginGrid->addWidget(m_top, 0, 1);
    marginGrid->addWidget(new QLabel(QStringLiteral("下"), this), 0, 2);
    marginGrid->addWidget(m_bottom, 0, 3);
    marginGrid->addWidget(new QLabel(QStringLiteral("左"), this), 1, 0);
    marginGrid->addWidget(m_left, 1, 1);
    marginGrid->addWidget(new QLabel(QStringLiteral("右"), this), 1, 2);
    marginGrid->addWidget(m_right, 1, 3);

    m_fileOutput = new QCheckBox(QStringLiteral("ファイル出力(&F) ["), this);
    m_dumpOnly = new QCheckBox(QStringLiteral("ダンプのみ(&D) ]"), this);
    m_dumpOnly->setEnabled(false);
    auto* outputRow = new QHBoxLayout;
    outputRow->addWidget(m_fileOutput);
    outputRow->addWidget(m_dumpOnly);
    outputRow->addStretch();

    m_ok = new QPushButton(QIcon::fromTheme(QStringLiteral("document-print")),
                           QStringLiteral("印刷実行(&W)"), this);
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("中止(&C)"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto* controls = new QVBoxLayout;
    controls->addWidget(printerBox);
    controls->addLayout(fontRow);
    controls->addWidget(rangeBox);
    controls->addWidget(marginBox);
    controls->addLayout(outputRow);
    controls->addStretch();
    controls->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_area, 0, Qt::AlignTop);
    layout->addLayout(controls);

    // Names for tests and accessibility tools.
    m_fontSize->setObjectName("fontSize");
    m_top->setObjectName("marginTop");
    m_bottom->setObjectName("marginBottom");
    m_left->setObjectName("marginLeft");
    m_right->setObjectName("marginRight");
    m_fileOutput->setObjectName("fileOutput");
    m_dumpOnly->setObjectName("dumpOnly");
    m_ok->setObjectName("ok");
    m_cancel->setObjectName("cancel");
    m_all->setObjectName("rangeAll");
    m_currentPage->setObjectName("rangePage");
    m_followingPages->setObjectName("rangePages");
    m_pageCount->setObjectName("pageCount");

    connect(m_setup, &QPushButton::clicked, this, &CInsatuDlg::onSetup);
    connect(m_portrait, &QRadioButton::clicked, this, [this] { setOrientation(1); });
    connect(m_landscape, &QRadioButton::clicked, this, [this] { setOrientation(2); });
    connect(m_fontSize, &QComboBox::activated, this, &CInsatuDlg::onFontSizeChosen);
    for (MarginBox* box : {m_top, m_bottom, m_left, m_right})
        connect(box, &QSpinBox::valueChanged, this, &CInsatuDlg::onMarginChanged);
    connect(m_fileOutput, &QCheckBox::toggled, this, &CInsatuDlg::onFileOutputToggled);
    connect(m_ok, &QPushButton::clicked, this, &CInsatuDlg::onOk);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CInsatuDlg::loadSettings() {
    const SettingsStore& s = m_app.settings();
    const PrintSettings& print = m_app.printSettings();
    if (const auto id = pageSizeForCode(print.paperSize); id != QPageSize::Custom)
        m_printer->setPageSize(QPageSize(id));
    m_printer->setPageOrientation(print.orientation == 2 ? QPageLayout::Landscape
                                                         : QPageLayout::Portrait);
    (print.orientation == 2 ? m_landscape : m_portrait)->setChecked(true);
    showPrinterName();

    switch (s.readInt(section::Last, "PrintRange")) {
    case 1:
        m_all->setChecked(true);
        break;
    case 2:
        m_currentPage->setChecked(true);
        break;
    default:
        m_followingPages->setChecked(true);
        break;
    }
    m_pageCount->setValue(s.readInt(section::Last, "PageCnt"));
    m_top->setValue(print.marginTop);
    m_bottom->setValue(print.marginBottom);
    m_left->setValue(print.marginLeft);
    m_right->setValue(print.marginRight);
    m_fontSize->setCurrentIndex(fontSizeIndex(s.readInt(section::Settings, "FontSize")));
}

void CInsatuDlg::showPrinterName() {
    m_printerName->setText(printsToPdf() ? QStringLiteral("PDF ファイル")
                                         : m_printer->printerName());
}

bool CInsatuDlg::printsToPdf() const {
    return m_printer->outputFormat() == QPrinter::PdfFormat;
}

ExportRange CInsatuDlg::range() const {
    if (m_all->isChecked())
        return ExportRange::WholeFile;
    if (m_followingPages->isChecked())
        return ExportRange::FollowingPages;
    return ExportRange::CurrentPage;
}

Margins CInsatuDlg::margins() const {
    return {m_top->value(), m_bottom->value(), m_left->value(), m_right->value()};
}

int CInsatuDlg::fontPoints() const {
    // The stored size, shared with the view; the list shows it when it offers it.
    const int points = m_app.settings().readInt(section::Settings, "FontSize");
    return points > 0 ? points : 12;
}

PrintContent CInsatuDlg::content() const {
    const Work& work = m_app.work();
    return {.source = work.dump(),
            .markers = work.markers(),
            .remarkStart = m_app.view().remarkStart,
            .linkLines = work.header().linkLinesOn(),
            .topRow = m_app.view().topRow,
            .range = range(),
            .pageCount = m_pageCount->value()};
}

QSize CInsatuDlg::paperMillimetres() const {
    const int dpi = m_printer->resolution();
    const QRect paper = m_printer->pageLayout().fullRectPixels(dpi);
    return {pixelsToMillimetres(paper.width(), dpi), pixelsToMillimetres(paper.height(), dpi)};
}

QString CInsatuDlg::paperNameText() const {
    return m_paperName->text();
}

QString CInsatuDlg::paperSizeText() const {
    return m_paperSize->text();
}

void CInsatuDlg::updatePaper() {
    m_paperName->setText(fromUtf8(paperName(m_app.printSettings().paperSize)));
    const QSize mm = paperMillimetres();
    m_paperSize->setText(fromUtf8(paperSizeLabel(mm.width(), mm.height())));
    redrawPreview();
}

void CInsatuDlg::setOrientation(int orientation) {
    m_app.printSettings().orientation = orientation == 2 ? 2 : 1;
    m_printer->setPageOrientation(orientation == 2 ? QPageLayout::Landscape
                                                   : QPageLayout::Portrait);
    (orientation == 2 ? m_landscape : m_portrait)->setChecked(true);
    updatePaper();
}

void CInsatuDlg::redrawPreview() {
    if (!m_loaded)
        return;
    const Margins mm = margins();
    QImage image(m_area->size(), QImage::Format_RGB32);
    if (image.isNull()) {
        showMessage(m_app.ui(), msg::NoMemory);
        return;
    }
    image.fill(Qt::white);
    const QSize paper = paperMillimetres();
    const PreviewLayout layout =
        layOutPreview(image.width(), image.height(), paper.width(), paper.height(),
                      m_area->logicalDpiX(), m_area->logicalDpiY(), mm);
    QPainter painter(&image);
    const QRect sheet(layout.page.left, layout.page.top, layout.page.width, layout.page.height);
    painter.setPen(Qt::black);
    painter.setBrush(QColor(128, 128, 128));
    painter.drawRect(sheet.translated(5, 5));
    painter.setBrush(Qt::white);
    painter.drawRect(sheet);

    const QFont font = pageFont(createListingFont(m_app.settings(), fontPoints()),
                                fontPoints() * layout.scale, m_area->logicalDpiY());
    const CellMetrics metrics = listingMetrics(font);
    m_previewRows = rowsPerPage(layout.printable.height, metrics.lineHeight);
    const Work& work = m_app.work();
    if (work.isOpen()) {
        const QRect printable(layout.printable.left, layout.printable.top, layout.printable.width,
                              layout.printable.height);
        drawDumpPage(painter, font,
                     {work.dump(), work.markers(), m_app.view().topRow, m_previewRows,
                      m_app.view().remarkStart, work.header().linkLinesOn()},
                     printable.topLeft(), printable);
    }
    painter.end();
    m_preview = image;
    m_area->setPicture(m_preview);
}

void CInsatuDlg::onMarginChanged() {
    if (!m_loaded)
        return;
    // The program keeps the margins for the next run, whichever way the dialog closes.
    PrintSettings& print = m_app.printSettings();
    const Margins mm = margins();
    print.marginTop = mm.top;
    print.marginBottom = mm.bottom;
    print.marginLeft = mm.left;
    print.marginRight = mm.right;
    redrawPreview();
}

void CInsatuDlg::onFontSizeChosen(int index) {
    if (index < 0)
        return;
    // The view shares the size: it takes effect there too, even if the dialog is cancelled.
    m_app.settings().writeInt(section::Settings, "FontSize",
                              kPrintFontSizes[static_cast<size_t>(index)]);
    redrawPreview();
}

void CInsatuDlg::onFileOutputToggled(bool on) {
    m_ok->setText(on ? QStringLiteral("ファイル出力実行(&S)") : QStringLiteral("印刷実行(&S)"));
    m_ok->setIcon(
        QIcon::fromTheme(on ? QStringLiteral("document-save") : QStringLiteral("document-print")));
    m_dumpOnly->setEnabled(on);
}

void CInsatuDlg::onSetup() {
    QPageSetupDialog setup(m_printer.get(), this);
    if (setup.exec() != QDialog::Accepted)
        return;
    const QPageLayout layout = m_printer->pageLayout();
    m_app.printSettings().paperSize = codeForPageSize(layout.pageSize().id());
    const bool landscape = layout.orientation() == QPageLayout::Landscape;
    m_app.printSettings().orientation = landscape ? 2 : 1;
    (landscape ? m_landscape : m_portrait)->setChecked(true);
    showPrinterName();
    updatePaper();
}

void CInsatuDlg::onOk() {
    if (!m_app.work().isOpen())
        return;
    if (m_fileOutput->isChecked()) {
        fileOutput();
        return;
    }
    if (printJob())
        accept();
}

bool CInsatuDlg::printJob() {
    const PrintContent job = content();
    PrintProgress progress(this, QStringLiteral("印刷しています..."));
    const ProgressFn step = progress.reporter();
    if (printsToPdf()) {
        FileDialogRequest request;
        request.title = "PDF ファイルに印刷";
        request.filter = "PDF ファイル(*.pdf)|*.pdf|すべてのファイル(*.*)|*.*||";
        request.defaultExtension = "pdf";
        request.proposedName = "DumpList.pdf";
        const std::string path = m_app.ui().chooseSaveFile(request);
        if (path.empty())
            return false;
        if (nameTaken(path) &&
            showMessage(m_app.ui(), msg::AskOverwriteFile, {}, BoxStyle::YesNo) != Yes)
            return false;
        printToPdf(path, m_printer->pageLayout(), margins(),
                   createListingFont(m_app.settings(), fontPoints()), fontPoints(), job, m_app.ui(),
                   step);
        return true;
    }
    m_printer->setFullPage(true);
    m_printer->setDocName(printDocumentName());
    const SheetLayout sheet =
        layOutSheet(m_printer->pageLayout(), margins(),
                    createListingFont(m_app.settings(), fontPoints()), fontPoints());
    printPages(*m_printer, sheet, job, step);
    return true;
}

void CInsatuDlg::fileOutput() {
    FileDialogRequest request;
    request.title = "ダンプリストを保存するファイルを指定";
    request.filter = "ダンプリストファイル(*.txt)|*.txt|すべてのファイル(*.*)|*.*||";
    request.defaultExtension = "txt";
    request.proposedName = "DumpList.txt";
    request.initialPath = m_app.settings().readText(section::Last, "SaveFile");
    UiPort& ui = m_app.ui();
    const std::string path = ui.chooseSaveFile(request);
    if (path.empty())
        return;
    m_app.settings().writeText(section::Last, "SaveFile", path);

    Work& work = m_app.work();
    const DumpListData listed{work.dump(), work.markers(), m_app.view().remarkStart};
    PrintProgress progress(this, QStringLiteral("ダンプリストを保存しています..."));
    if (!ExportDumpListText(path, range(), m_pageCount->value(), m_previewRows,
                            m_dumpOnly->isChecked(), listed, m_app.view().topRow, ui, nullptr,
                            progress.reporter()))
        return;
    redrawPreview();
    if (showMessage(ui, msg::AskShowSavedFolder, {}, BoxStyle::YesNo) == Yes)
        ShowFolder(path, ui);
}

void CInsatuDlg::done(int result) {
    SettingsStore& s = m_app.settings();
    s.writeInt(section::Last, "PrintRange", static_cast<int>(range()));
    s.writeInt(section::Last, "PageCnt", m_pageCount->value());
    s.writeInt(section::Last, "PaperSize", m_app.printSettings().paperSize);
    s.writeInt(section::Last, "Orientation", m_app.printSettings().orientation);
    QDialog::done(result);
}

} // namespace byzel

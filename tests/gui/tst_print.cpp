#include "app/listingfont.h"
#include "app/printpdf.h"
#include "app/qsettingsstore.h"
#include "app/tormelapp.h"
#include "core/dumpfile/dumpgeometry.h"
#include "core/markerfile/markerfile.h"
#include "core/settings/memorysettings.h"
#include "filesizelimit.h"
#include "print/insatudlg.h"
#include "print/papercodes.h"
#include "print/printcommand.h"
#include "print/printjob.h"
#include "print/printprogress.h"
#include "scriptedui.h"
#include "tempfolder.h"
#include "view/tormelview.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QPdfDocument>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <optional>

using namespace byzel;

namespace {

std::vector<std::uint8_t> countingBytes(std::size_t bytes) {
    std::vector<std::uint8_t> data(bytes);
    for (std::size_t i = 0; i < bytes; ++i)
        data[i] = static_cast<std::uint8_t>(i * 7);
    return data;
}

int pdfPages(const std::string& path) {
    QPdfDocument pdf;
    if (pdf.load(QString::fromStdString(path)) != QPdfDocument::Error::None)
        return -1;
    return pdf.pageCount();
}

bool hasColour(const QImage& image, const QColor& colour) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == colour)
                return true;
    return false;
}

// An application with a dump file open and the print settings in memory.
struct PrintFixture {
    explicit PrintFixture(std::size_t bytes) {
        settings.writeInt(section::Settings, "FontSize", 10);
        const bool opened =
            app.work().dump().open(folder.write("dump.bin", countingBytes(bytes)), ui);
        Q_ASSERT(opened);
    }

    template <typename T> T* child(const char* name) {
        return dialog->findChild<T*>(QString::fromLatin1(name));
    }
    CInsatuDlg& open() {
        dialog = std::make_unique<CInsatuDlg>(app);
        dialog->show();
        return *dialog;
    }

    testing::TempFolder folder;
    testing::ScriptedUi ui;
    MemorySettingsStore settings;
    CTormelApp app{settings, ui};
    std::unique_ptr<CInsatuDlg> dialog;
};

PrintContent contentOf(CTormelApp& app, ExportRange range, int pageCount) {
    return {.source = app.work().dump(),
            .markers = app.work().markers(),
            .topRow = app.view().topRow,
            .range = range,
            .pageCount = pageCount};
}

} // namespace

class TestPrint : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        // The command-line print reads the real settings store: give it one of its own, so
        // that no other test's settings change what is printed here.
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(m_config.path()));
        installFontSubstitutions();
    }

    void paperCodesRoundTrip() {
        for (int code = 1; code <= 41; ++code) {
            const QPageSize::PageSizeId id = pageSizeForCode(code);
            QVERIFY2(id != QPageSize::Custom, qPrintable(QString::number(code)));
            // Sheets with two codes read back as one of them, never as another sheet.
            QCOMPARE(pageSizeForCode(codeForPageSize(id)), id);
        }
        QCOMPARE(codeForPageSize(QPageSize::A4), 9);
        QCOMPARE(pageSizeForCode(66), QPageSize::Custom);
        QCOMPARE(codeForPageSize(QPageSize::EnvelopeKaku2), 0);
    }

    void paperLabelsFollowOrientationAndCode() {
        PrintFixture f(0x1000);
        CInsatuDlg& dialog = f.open();
        QCOMPARE(dialog.paperNameText(), QStringLiteral("A4ｼｰﾄ, 210x297mm"));
        QCOMPARE(dialog.paperSizeText(), QStringLiteral("210 X 297ﾐﾘ"));
        dialog.setOrientation(2);
        QCOMPARE(dialog.paperSizeText(), QStringLiteral("297 X 210ﾐﾘ"));
        QVERIFY(f.child<QRadioButton>("rangePage") != nullptr);
        dialog.reject();
        QCOMPARE(f.settings.readInt(section::Last, "Orientation"), 2);

        f.app.printSettings().paperSize = 66;
        QCOMPARE(f.open().paperNameText(), QStringLiteral("その他"));
    }

    void previewShowsTheSheetWithItsMarkers() {
        PrintFixture f(0x1000);
        f.app.work().markers().append(0x30, 0x4F, 0xB0B0FF);
        const QImage& preview = f.open().previewImage();
        QVERIFY(hasColour(preview, QColor(128, 128, 128)));
        QVERIFY(hasColour(preview, QColor(0xFF, 0xB0, 0xB0)));
        // Rows from the view's top row on, remarks from the remark column's start: with the
        // marker above the page and not listed, no colour.
        f.app.view().topRow = 0x20;
        f.app.view().remarkStart = 1;
        QVERIFY(!hasColour(f.open().previewImage(), QColor(0xFF, 0xB0, 0xB0)));
    }

    void marginsAreClampedWhenTheBoxIsLeft() {
        PrintFixture f(0x1000);
        f.open();
        const auto type = [&](const char* box, const QString& text) {
            auto* spin = f.child<QSpinBox>(box);
            spin->setFocus();
            spin->selectAll();
            QTest::keyClicks(spin, text);
            QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
            QApplication::sendEvent(spin, &leave);
            // The box shows the number it took.
            return spin->text() == QString::number(spin->value()) ? spin->value() : -1;
        };
        QCOMPARE(type("marginLeft", "70"), 50);
        QCOMPARE(type("marginBottom", "2"), 15);
        QCOMPARE(type("marginTop", "12"), 12);
        QCOMPARE(f.app.printSettings().marginLeft, 50);
        QCOMPARE(f.app.printSettings().marginBottom, 15);
    }

    void okCaptionAndDumpOnlyFollowFileOutput() {
        PrintFixture f(0x1000);
        f.open();
        auto* file = f.child<QCheckBox>("fileOutput");
        auto* dumpOnly = f.child<QCheckBox>("dumpOnly");
        auto* ok = f.child<QPushButton>("ok");
        QVERIFY(!dumpOnly->isEnabled());
        file->setChecked(true);
        QCOMPARE(ok->text(), QStringLiteral("ファイル出力実行(&S)"));
        QVERIFY(dumpOnly->isEnabled());
        file->setChecked(false);
        QCOMPARE(ok->text(), QStringLiteral("印刷実行(&S)"));
        QVERIFY(!dumpOnly->isEnabled());
    }

    void fileOutputDeclinedOnAnExistingFileWritesNothing() {
        PrintFixture f(0x1000);
        const std::string existing = f.folder.write("DumpList.txt", "earlier");
        f.ui.chooseFile(existing).answer(No);
        f.open();
        f.child<QCheckBox>("fileOutput")->setChecked(true);
        f.child<QPushButton>("ok")->click();
        QCOMPARE(f.ui.shownIds(), std::vector<int>{msg::AskOverwriteFile});
        QCOMPARE(testing::TempFolder::read(existing).size(), size_t{7});
        QVERIFY(f.dialog->isVisible());
    }

    void fileOutputOnAFullDiskIsReportedAndNotCalledDone() {
        PrintFixture f(0x10000);
        const std::string existing = f.folder.write("DumpList.txt", "earlier");
        for (const std::string& path : {std::string("/dev/full"), existing}) {
            f.ui.clearRecord();
            f.ui.chooseFile(path).answer(Yes);
            f.open();
            f.child<QRadioButton>("rangeAll")->setChecked(true);
            f.child<QCheckBox>("fileOutput")->setChecked(true);
            // The full disk of the earlier file's folder: the size limit stops the writes.
            std::optional<testing::FileSizeLimit> fullDisk;
            if (path == existing)
                fullDisk.emplace(4096);
            f.child<QPushButton>("ok")->click();
            fullDisk.reset();
            QCOMPARE(f.ui.shownIds(), (std::vector<int>{msg::AskOverwriteFile, msg::WriteFailed}));
            QVERIFY(f.dialog->isVisible());
            f.dialog->reject();
        }
        QCOMPARE(testing::TempFolder::read(existing).size(), size_t{7});
    }

    void fileOutputWritesAPageOfThePreviewsRowsAndStaysOpen() {
        PrintFixture f(0x10000);
        f.app.view().topRow = 100;
        const std::string path = f.folder.path("page.txt");
        f.ui.chooseFile(path).answer(No);
        f.open();
        f.child<QRadioButton>("rangePage")->setChecked(true);
        f.child<QCheckBox>("fileOutput")->setChecked(true);
        f.child<QPushButton>("ok")->click();
        QCOMPARE(f.ui.shownIds(), std::vector<int>{msg::AskShowSavedFolder});
        QCOMPARE(f.settings.readText(section::Last, "SaveFile"), path);
        const auto text = testing::TempFolder::read(path);
        const auto lines = std::count(text.begin(), text.end(), '\n');
        QCOMPARE(static_cast<int>(lines), 2 + f.dialog->previewRowsPerPage());
        QVERIFY(f.dialog->isVisible());
        f.dialog->reject();
        QCOMPARE(f.settings.readInt(section::Last, "PrintRange"), 2);
    }

    void fontSizeIsKeptAfterCancelAndTheViewIsLaidOutAgain() {
        PrintFixture f(0x1000);
        CTormelView view(f.app);
        view.resize(800, 500);
        view.show();
        view.layOut();
        const int lineHeight = view.metrics().lineHeight;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<CInsatuDlg*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            auto* sizes = dialog->findChild<QComboBox*>("fontSize");
            const int index = sizes->findText("16");
            sizes->setCurrentIndex(index);
            emit sizes->activated(index);
            dialog->findChild<QPushButton*>("cancel")->click();
        });
        runPrintCommand(f.app, view, nullptr);
        QCOMPARE(f.settings.readInt(section::Settings, "FontSize"), 16);
        QVERIFY(view.metrics().lineHeight > lineHeight);
    }

    void pdfPrintOfTheCurrentPageLeavesTheTopRowAlone() {
        PrintFixture f(0x100000);
        f.app.view().topRow = 200;
        const std::string pdf = f.folder.path("page.pdf");
        f.open();
        QVERIFY(f.dialog->printsToPdf());
        f.child<QRadioButton>("rangePage")->setChecked(true);
        // Turning back at the file name prints nothing and keeps the dialog.
        f.child<QPushButton>("ok")->click();
        QVERIFY(f.dialog->isVisible());
        f.ui.chooseFile(pdf);
        f.child<QPushButton>("ok")->click();
        QVERIFY(!f.dialog->isVisible());
        QCOMPARE(pdfPages(pdf), 1);
        QCOMPARE(f.app.view().topRow, 200);
    }

    void followingPagesStopAtTheEndOfTheData() {
        PrintFixture f(0x10000);
        const QPageLayout layout = pdfPageLayout(9, 1);
        const Margins margins;
        const QFont font = createListingFont(f.settings, 10);
        const int rows = layOutSheet(layout, margins, font, 10).rowsPerPage;
        // Two and a bit pages from the top row to the end.
        f.app.view().topRow = totalRowsFor(0x10000) - 2 * rows - 1;
        const std::string pdf = f.folder.path("pages.pdf");
        const PrintResult result =
            printToPdf(pdf, layout, margins, font, 10,
                       contentOf(f.app, ExportRange::FollowingPages, 10), f.ui);
        QCOMPARE(result.outcome, PrintOutcome::Printed);
        QCOMPARE(result.pages, 3);
        QCOMPARE(pdfPages(pdf), 3);
    }

    void listingStartsAtTheUnprintableEdgeAndEndsAtTheMargins() {
        // 36 points (half an inch) the printer cannot reach at the top and left.
        const QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(),
                                 QPageLayout::Point, QMarginsF(36, 36, 0, 0));
        MemorySettingsStore settings;
        const QFont font = createListingFont(settings, 10);
        const SheetLayout sheet = layOutSheet(layout, {3, 15, 3, 3}, font, 10);
        QCOMPARE(sheet.origin, QPoint(48, 48));
        const SheetLayout wide = layOutSheet(layout, {20, 15, 20, 3}, font, 10);
        QCOMPARE(wide.origin, QPoint(75, 75));
        // The bottom and right margins bound the listing on paper as in the preview.
        const SheetLayout narrow = layOutSheet(layout, {20, 50, 20, 50}, font, 10);
        QCOMPARE(narrow.clip.right() + 1, layout.fullRectPixels(96).width() - 188);
        QVERIFY(narrow.rowsPerPage < wide.rowsPerPage);
    }

    void cancelledOrFailedPdfLeavesNoFileAndSaysSo() {
        PrintFixture f(0x100000);
        const std::string pdf = f.folder.write("old.pdf", "earlier");
        const QPageLayout layout = pdfPageLayout(9, 1);
        const QFont font = createListingFont(f.settings, 10);
        const PrintResult cancelled =
            printToPdf(pdf, layout, {}, font, 10, contentOf(f.app, ExportRange::WholeFile, 5), f.ui,
                       [](int done, int) { return done < 3; });
        QCOMPARE(cancelled.outcome, PrintOutcome::Cancelled);
        QCOMPARE(testing::TempFolder::read(pdf).size(), size_t{7});
        QCOMPARE(f.folder.entries(), (std::vector<std::string>{"dump.bin", "old.pdf"}));

        const PrintResult full = printToPdf("/dev/full", layout, {}, font, 10,
                                            contentOf(f.app, ExportRange::CurrentPage, 5), f.ui);
        QCOMPARE(full.outcome, PrintOutcome::Failed);
        QVERIFY(f.ui.wasShown(msg::WriteFailed));
    }

    void progressGoesOnUntilCancelled() {
        QWidget owner;
        PrintProgress progress(&owner, QStringLiteral("印刷しています..."));
        // Totals beyond an int are counted in coarser steps, not wrapped.
        QVERIFY(progress.step(1, 10'000'000'000LL));
        auto* dialog = owner.findChild<QProgressDialog*>();
        QVERIFY(dialog->maximum() > 0);
        dialog->cancel();
        QVERIFY(!progress.step(2, 10'000'000'000LL));
        QVERIFY(progress.cancelled());
    }

    void printPdfCommandPagesFollowTheLayoutAndShowMarkers() {
        testing::TempFolder folder;
        testing::ScriptedUi ui;
        QSettingsStore settings;
        settings.writeInt(section::Settings, "FontSize", 9);
        const std::size_t size = 0x8000;
        const std::string dump = folder.write("dump.bin", countingBytes(size));
        HeaderBlock header;
        QVERIFY(header.setDumpPath(dump));
        header.linkLines = 1;
        MarkerTable markers;
        markers.append(0x25, 0x3F, 0xB0B0FF);
        const std::string mkg = folder.path("work.mkg");
        QVERIFY(writeMarkerFile(mkg, header, markers, false, ui));

        const std::string pdf = folder.path("out.pdf");
        PrintPdfRequest request;
        request.outputPath = pdf;
        request.file = mkg;
        QCOMPARE(runPrintPdf(request), 0);

        const PrintSettings print = PrintSettings::load(settings);
        const SheetLayout sheet =
            layOutSheet(pdfPageLayout(print.paperSize, print.orientation),
                        {print.marginTop, print.marginBottom, print.marginLeft, print.marginRight},
                        createListingFont(settings, 9), 9);
        const int rows = totalRowsFor(size);
        QCOMPARE(pdfPages(pdf), (rows + sheet.rowsPerPage - 1) / sheet.rowsPerPage);

        QPdfDocument document;
        QCOMPARE(document.load(QString::fromStdString(pdf)), QPdfDocument::Error::None);
        const QImage page = document.render(0, QSize(850, 1100));
        QVERIFY(hasColour(page, QColor(0xFF, 0xB0, 0xB0)));

        request.range = ExportRange::CurrentPage;
        request.topRow = 100;
        QCOMPARE(runPrintPdf(request), 0);
        QCOMPARE(pdfPages(pdf), 1);
        request.file = folder.path("missing.bin");
        QCOMPARE(runPrintPdf(request), 1);
        QCOMPARE(pdfPages(pdf), 1);
    }

private:
    testing::TempFolder m_config;
};

QTEST_MAIN(TestPrint)
#include "tst_print.moc"

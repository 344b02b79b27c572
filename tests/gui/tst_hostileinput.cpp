#include "app/listingfont.h"
#include "app/tormelapp.h"
#include "core/dumplist/dumpexport.h"
#include "core/markerfile/markerfile.h"
#include "core/markers/markernudge.h"
#include "core/markers/remarktext.h"
#include "core/settings/memorysettings.h"
#include "core/tools/markerfiles.h"
#include "core/viewmodel/commandids.h"
#include "frame/commandtable.h"
#include "frame/mainframe.h"
#include "markers/batchdlg.h"
#include "markers/markerlistmodel.h"
#include "markers/markmentdlg.h"
#include "markers/movemarkdlg.h"
#include "markers/propertydlg.h"
#include "print/insatudlg.h"
#include "print/printjob.h"
#include "scriptedui.h"
#include "tempfolder.h"
#include "tools/property.h"
#include "view/tormelview.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPdfDocument>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableView>
#include <QTextDocument>
#include <QToolButton>
#include <QtTest>

#include <cstring>
#include <limits>
#include <memory>

using namespace byzel;

namespace {

constexpr Offset kMin = std::numeric_limits<Offset>::min();
constexpr Offset kMax = std::numeric_limits<Offset>::max();

// Remarks a user or a foreign marker file may hold: markup that Qt would render if it guessed
// rich text, and control characters.
const QStringList kMarkupRemarks = {
    QStringLiteral("<b>x</b>"),
    QStringLiteral("<img src=\"/nonexistent.png\">"),
    QStringLiteral("<a href=\"file:///etc\">link</a> &amp; &File"),
};
const QString kControlRemark = QStringLiteral("a\x01\x1b[2J\tb\x7f");

MarkerRecord record(Offset start, Offset end, const QString& remark = {}, ColorRef color = 0xFF,
                    std::uint16_t colorIndex = 0) {
    MarkerRecord r;
    r.start = start;
    r.end = end;
    r.color = color;
    r.colorIndex = colorIndex;
    const std::string sjis(fittingRemark(remarkFromUtf8(remark.toStdString())));
    std::memcpy(r.remark.data(), sjis.data(), sjis.size());
    return r;
}

// The program over a dump file whose path is hostile too, loaded from a marker file the way a
// user opens one.
struct Program {
    testing::TempFolder folder;
    testing::ScriptedUi ui;
    MemorySettingsStore settings;
    std::unique_ptr<CTormelApp> app;
    std::unique_ptr<CMainFrame> frame;
    std::string dumpPath;
    std::string markerPath;

    Program(const std::string& folderName, std::size_t dumpSize,
            const std::vector<MarkerRecord>& records) {
        app = std::make_unique<CTormelApp>(settings, ui, QString::fromStdString(folder.path()));
        const std::string place = folder.path(folderName);
        std::filesystem::create_directories(place);
        std::vector<std::uint8_t> bytes(dumpSize);
        for (std::size_t i = 0; i < dumpSize; ++i)
            bytes[i] = static_cast<std::uint8_t>(i * 13);
        dumpPath = testing::TempFolder::writeFile(place + "/dump <b>1<b>.bin", bytes);
        markerPath = place + "/<i>work<i> 'q\".mkg";
        HeaderBlock header;
        if (!header.setDumpPath(dumpPath))
            qFatal("path too long");
        header.linkLines = 1;
        header.linkedScrolling = 1;
        const auto image = encodeMarkerFile(header, records);
        testing::TempFolder::writeFile(markerPath, image);
        if (!app->workflow().loadMarkerFile(markerPath))
            qWarning("marker file not loaded");
    }
    MarkerEditing editing() {
        return {app->work(), ui, [](RepaintRegion) {}};
    }
    CMainFrame& showFrame() {
        frame = std::make_unique<CMainFrame>(*app);
        frame->resize(1200, 700);
        frame->show();
        return *frame;
    }
    // Pages through the whole listing the way the scroll bar does, painting each stop.
    void paintEveryStop(int stops) {
        CTormelView* view = frame->view();
        QScrollBar* bar = view->verticalScrollBar();
        for (int i = 0; i <= stops; ++i) {
            bar->setValue(static_cast<int>(std::int64_t{bar->maximum()} * i / stops));
            (void)view->viewport()->grab();
        }
    }
    bool exportList(const std::string& path, bool dumpOnly = false) {
        Offset topRow = 0;
        return ExportDumpListText(path, ExportRange::WholeFile, 1, 50, dumpOnly,
                                  {.source = app->work().dump(), .markers = app->work().markers()},
                                  topRow, ui);
    }
    // The print dialog with its preview of the page at the view's top row.
    void showPrintDialog() {
        CInsatuDlg dialog(*app);
        dialog.show();
        (void)dialog.grab();
    }
    std::string printed(int pages, bool linkLines = true) {
        const std::string pdf = folder.path("print.pdf");
        const QFont font = createListingFont(settings, 10);
        const PrintResult result = printToPdf(pdf, pdfPageLayout(9, 1), {}, font, 10,
                                              {.source = app->work().dump(),
                                               .markers = app->work().markers(),
                                               .linkLines = linkLines,
                                               .range = ExportRange::FollowingPages,
                                               .pageCount = pages},
                                              ui);
        return result.outcome == PrintOutcome::Printed ? pdf : std::string();
    }
};

QString pdfText(const std::string& path) {
    QPdfDocument pdf;
    if (pdf.load(QString::fromStdString(path)) != QPdfDocument::Error::None)
        return {};
    QString text;
    for (int page = 0; page < pdf.pageCount(); ++page)
        text += pdf.getAllText(page).text() + QLatin1Char('\n');
    return text;
}

// Every label showing needle shows it as plain text, and no tooltip holding it is taken for
// markup: in every window and menu there is.
void expectShownLiterally(const QString& needle) {
    for (const QWidget* w : QApplication::allWidgets()) {
        if (const auto* label = qobject_cast<const QLabel*>(w);
            label && label->text().contains(needle))
            QVERIFY2(label->textFormat() == Qt::PlainText, qPrintable(label->text()));
        if (w->toolTip().contains(needle))
            QVERIFY2(!Qt::mightBeRichText(w->toolTip()), qPrintable(w->toolTip()));
    }
}

void expectActionsShownLiterally(const QWidget& window, const QString& needle) {
    for (const QAction* a : window.findChildren<QAction*>())
        if (a->toolTip().contains(needle))
            QVERIFY2(!Qt::mightBeRichText(a->toolTip()), qPrintable(a->toolTip()));
}

QString remarkShownInList(const CMarkMentDlg& list, int row) {
    return list.model()->index(row, MarkerListModel::RemarkColumn).data().toString();
}

} // namespace

class TestHostileInput : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }

    void markupAndControlCharactersAreShownLiterallyEverywhere() {
        std::vector<MarkerRecord> records;
        for (const QString& remark : kMarkupRemarks)
            records.push_back(
                record(Offset(records.size()) * 16, Offset(records.size()) * 16 + 3, remark));
        records.push_back(record(0x40, 0x45, kControlRemark));
        // Blanks, quotes, markup, Japanese and Hangul (no Shift-JIS form) in the folder's name.
        Program p("a b 'c\" <u>データ<u> 한국", 0x100, records);
        QCOMPARE(p.app->work().markers().count(), 4);
        QVERIFY(p.ui.shown().empty());

        p.app->recentFiles().add(p.markerPath);

        CMainFrame& frame = p.showFrame();
        QCOMPARE(frame.windowTitle(), QStringLiteral("<i>work<i> 'q\""));
        p.paintEveryStop(1);
        const QAction* recent = frame.commands().action(ID_FILE_MRU_FIRST);
        QVERIFY2(recent->isVisible() && recent->text().contains(QStringLiteral("<i>work<i>")),
                 qPrintable(recent->text() + " | " + recent->toolTip()));
        for (const QString& needle : {QStringLiteral("<b>"), QStringLiteral("<i>")}) {
            expectShownLiterally(needle);
            expectActionsShownLiterally(frame, needle);
        }

        CMarkMentDlg list(p.editing(), frame.markerTools());
        list.show();
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(remarkShownInList(list, i), kMarkupRemarks[i]);
            const QVariant tip =
                list.model()->index(i, MarkerListModel::RemarkColumn).data(Qt::ToolTipRole);
            QVERIFY(!tip.isValid() || !Qt::mightBeRichText(tip.toString()));
        }
        QCOMPARE(remarkShownInList(list, 3), kControlRemark);
        (void)list.list()->viewport()->grab();

        for (int i = 0; i < 4; ++i) {
            CPropertyDlg property(p.editing(), i);
            property.show();
            QCOMPARE(property.remarkEdit()->toPlainText(),
                     i < 3 ? kMarkupRemarks[i] : kControlRemark);
            expectShownLiterally(QStringLiteral("<"));
            CMoveMarkDlg move(p.editing(), i);
            move.show();
            move.lastSpin()->setValue(i + 1);
            QVERIFY2(move.lastMarkerText().contains(i < 3 ? kMarkupRemarks[i] : kControlRemark),
                     qPrintable(move.lastMarkerText()));
            expectShownLiterally(QStringLiteral("<"));
        }
        QVERIFY2(!p.app->work().modified(), "showing a remark must not change it");

        CBatchDlg batch(p.editing());
        batch.show();
        for (const QString& remark : kMarkupRemarks)
            QVERIFY(batch.editor()->toPlainText().contains(remark));

        CProperty info(*p.app);
        info.show();
        const auto edits = info.findChildren<QLineEdit*>();
        QVERIFY(std::any_of(edits.begin(), edits.end(), [&](const QLineEdit* e) {
            return e->text() == QString::fromStdString(p.dumpPath);
        }));
        expectShownLiterally(QStringLiteral("<b>"));
        {
            CInsatuDlg print(*p.app);
            print.show();
            expectShownLiterally(QStringLiteral("<b>"));
        }

        const QString printed = pdfText(p.printed(1));
        for (const QString& remark : kMarkupRemarks)
            QVERIFY2(printed.contains(remark), qPrintable(printed));

        const std::string exported = p.folder.path("list <b>.txt");
        QVERIFY(p.exportList(exported));
        const auto text = testing::TempFolder::read(exported);
        QVERIFY(std::search(text.begin(), text.end(), std::begin("<b>x</b>"),
                            std::end("<b>x</b>") - 1) != text.end());
    }

    void remarksWithLineBreaksSurviveTheBulkEditorUnchanged() {
        Program p("breaks", 0x100,
                  {record(0, 1, QStringLiteral("one\r\ntwo")),
                   record(4, 5, QStringLiteral("three")),
                   record(8, 9, QStringLiteral("\r\n\r\nfour\r\n"))});
        CBatchDlg batch(p.editing());
        batch.show();
        batch.save();
        QCOMPARE(p.ui.shownIds(), std::vector<int>{});
        QCOMPARE(std::string(p.app->work().markers()[0].remarkText()), std::string("one\r\ntwo"));
        QCOMPARE(std::string(p.app->work().markers()[2].remarkText()),
                 std::string("\r\n\r\nfour\r\n"));
        QVERIFY(!p.app->work().modified());

        // An edit of another line stores that line alone.
        CBatchDlg edited(p.editing());
        edited.editor()->setPlainText(
            edited.editor()->toPlainText().replace(QStringLiteral("three"), QStringLiteral("3")));
        edited.save();
        QCOMPARE(p.ui.shownIds(), std::vector<int>{});
        QCOMPARE(std::string(p.app->work().markers()[1].remarkText()), std::string("3"));
        QCOMPARE(std::string(p.app->work().markers()[0].remarkText()), std::string("one\r\ntwo"));
        QVERIFY(p.app->work().modified());
    }

    void markerFileAtTheLimitsOfEveryFieldOpensInEveryWindow() {
        // Each record at an extreme a foreign or damaged file may hold: ranges reaching past
        // both ends of the offsets, reversed, empty of data, overlapping; colours beyond 24
        // bits; colour numbers out of range; remarks of the full length, of control bytes and
        // ending on a lone Shift-JIS lead byte.
        std::string leadByteRemark(238, 'a');
        leadByteRemark += '\x82';
        MarkerRecord longRemark = record(0x30, 0x30);
        std::memcpy(longRemark.remark.data(), leadByteRemark.data(), leadByteRemark.size());
        MarkerRecord controlBytes = record(0x31, 0x31);
        for (int i = 0; i < kMaxRemarkBytes; ++i)
            controlBytes.remark[static_cast<std::size_t>(i)] = static_cast<char>(1 + i % 31);
        const std::vector<MarkerRecord> records = {
            record(kMin, kMax, QStringLiteral("whole range")),
            record(kMin, kMin, QStringLiteral("first offset")),
            record(-20, -1, QStringLiteral("before the file")),
            record(0x10, 0x08, QStringLiteral("reversed")),
            record(0x20, 0x2F, QStringLiteral("overlapped"), 0xFFFFFFFF, 9),
            record(0x24, 0x24, QStringLiteral("inside"), 0xFF000000, 0xFFFF),
            longRemark,
            controlBytes,
            record(0xFF, 0xFF, QStringLiteral("last byte"), 0, 8),
            record(0x100, 0x1000, QStringLiteral("past the end")),
            record(kMax - 1, kMax, QStringLiteral("last offsets")),
            record(kMax, kMin, QStringLiteral("reversed whole")),
        };
        Program p("limits", 0x100, records);
        QVERIFY2(p.ui.shown().empty(), p.ui.shown().empty() ? "" : p.ui.shown()[0].text.c_str());
        QCOMPARE(p.app->work().markers().count(), static_cast<int>(records.size()));

        CMainFrame& frame = p.showFrame();
        p.paintEveryStop(4);
        for (auto row : {Offset(0), Offset(8), Offset(15)}) {
            frame.view()->ScrollToRow(row);
            (void)frame.view()->viewport()->grab();
        }
        for (int i = 0; i < p.app->work().markers().count(); ++i) {
            frame.view()->ScrollToMarker(i);
            (void)frame.view()->viewport()->grab();
        }
        // The pointer over every part of the page: marker popups, the remark column.
        frame.view()->ScrollToRow(0);
        QWidget* viewport = frame.view()->viewport();
        for (int y = 0; y < viewport->height(); y += 7)
            for (int x = 0; x < viewport->width(); x += 11)
                QTest::mouseMove(viewport, {x, y});
        (void)viewport->grab();

        CMarkMentDlg list(p.editing(), frame.markerTools());
        list.show();
        (void)list.list()->viewport()->grab();
        for (int i = 0; i < p.app->work().markers().count(); ++i) {
            CPropertyDlg property(p.editing(), i);
            property.show();
            QCOMPARE(property.addressTexts().size(), 6);
            CMoveMarkDlg move(p.editing(), i);
            move.show();
        }
        CBatchDlg batch(p.editing());
        batch.show();
        CProperty info(*p.app);
        info.show();
        QVERIFY(!p.app->work().modified());

        // Nudging either end and moving runs of these markers either way: refused or done, and
        // the table keeps every marker.
        for (int i = 0; i < p.app->work().markers().count(); ++i) {
            CPropertyDlg property(p.editing(), i);
            for (auto nudge : {MarkerNudge::StartEarlier, MarkerNudge::StartLater,
                               MarkerNudge::EndEarlier, MarkerNudge::EndLater})
                property.nudgeButton(nudge)->click();
            for (bool forward : {true, false}) {
                CMoveMarkDlg move(p.editing(), i);
                move.amountSpin()->setValue(1000);
                (forward ? move.forwardRadio() : move.backwardRadio())->setChecked(true);
                move.move();
            }
        }
        QCOMPARE(p.app->work().markers().count(), static_cast<int>(records.size()));

        p.showPrintDialog();
        QVERIFY(!p.printed(2).empty());
        QVERIFY(!p.printed(2, false).empty());
        QVERIFY(p.exportList(p.folder.path("list.txt")));
        QVERIFY(p.exportList(p.folder.path("dump only.txt"), true));
        // Files from markers take the bytes the file has under each range: none before it or
        // past it, never more than the file holds.
        std::vector<int> all(records.size());
        std::iota(all.begin(), all.end(), 0);
        const std::string out = p.folder.path("bytes.bin");
        p.ui.chooseFile(out);
        QVERIFY(WriteMarkersToFile(p.app->work().dump(), p.app->work().markers(), all, p.ui,
                                   [](const std::string&) { return true; }));
        QVERIFY(std::filesystem::file_size(out) <= 4 * 0x100u);

        // The work saves back what it read, byte for byte, apart from the sorting.
        const std::string again = p.folder.path("again.mkg");
        QVERIFY(
            writeMarkerFile(again, p.app->work().header(), p.app->work().markers(), false, p.ui));
        const auto reread = readMarkerFile(again, p.ui);
        QVERIFY(reread);
        QCOMPARE(reread->records.size(), records.size());
    }

    void fiveThousandMarkersInEveryDialogAndInPrint() {
        std::vector<MarkerRecord> records;
        for (int i = 0; i < MarkerTable::kCapacity; ++i)
            records.push_back(record(i * 4, i * 4 + 2,
                                     QStringLiteral("<b>%1</b> マーカ").arg(i + 1),
                                     static_cast<ColorRef>(i * 2654435761u) & 0xFFFFFF));
        Program p("five thousand", 4 * MarkerTable::kCapacity, records);
        QCOMPARE(p.app->work().markers().count(), MarkerTable::kCapacity);

        CMainFrame& frame = p.showFrame();
        p.paintEveryStop(20);
        frame.view()->ScrollToMarker(MarkerTable::kCapacity - 1);
        (void)frame.view()->viewport()->grab();

        CMarkMentDlg list(p.editing(), frame.markerTools());
        list.show();
        QCOMPARE(list.model()->rowCount(), MarkerTable::kCapacity);
        list.list()->scrollToBottom();
        (void)list.list()->viewport()->grab();
        QCOMPARE(remarkShownInList(list, MarkerTable::kCapacity - 1),
                 QStringLiteral("<b>5000</b> マーカ"));

        CPropertyDlg last(p.editing(), MarkerTable::kCapacity - 1);
        last.show();
        QCOMPARE(last.remarkEdit()->toPlainText(), QStringLiteral("<b>5000</b> マーカ"));

        // Moving all 5000 one byte later, then back: the table comes back as it was.
        CMoveMarkDlg move(p.editing(), 0);
        move.show();
        move.lastSpin()->setValue(MarkerTable::kCapacity);
        move.amountSpin()->setValue(1);
        move.forwardRadio()->setChecked(true);
        move.move();
        QCOMPARE(p.app->work().markers()[MarkerTable::kCapacity - 1].start,
                 4 * (MarkerTable::kCapacity - 1) + 1);
        CMoveMarkDlg back(p.editing(), 0);
        back.lastSpin()->setValue(MarkerTable::kCapacity);
        back.amountSpin()->setValue(1);
        back.backwardRadio()->setChecked(true);
        back.move();
        QCOMPARE(p.app->work().markers()[0].start, 0);

        CBatchDlg batch(p.editing());
        batch.show();
        QCOMPARE(batch.editor()->document()->blockCount(), MarkerTable::kCapacity + 1);

        CProperty info(*p.app);
        info.show();

        p.showPrintDialog();
        const std::string pdf = p.printed(3);
        QVERIFY(!pdf.empty());
        QVERIFY(pdfText(pdf).contains(QStringLiteral("<b>1</b>")));
    }

    void tinyDumpFilesOpenInEveryWindow() {
        for (std::size_t size : {0u, 1u, 15u, 16u, 17u}) {
            const QByteArray what = QByteArray::number(qulonglong(size)) + " bytes";
            Program p("tiny", size, {record(0, 0, QStringLiteral("first"))});
            QVERIFY2(p.app->work().dump().isOpen(), what);
            CMainFrame& frame = p.showFrame();
            p.paintEveryStop(2);
            frame.view()->ScrollToMarker(0);
            CMarkMentDlg list(p.editing(), frame.markerTools());
            list.show();
            CPropertyDlg property(p.editing(), 0);
            property.show();
            CMoveMarkDlg move(p.editing(), 0);
            move.show();
            CProperty info(*p.app);
            info.show();
            p.showPrintDialog();
            QVERIFY2(!p.printed(1).empty(), what);
            QVERIFY2(p.exportList(p.folder.path("list.txt")), what);
        }
    }
};

QTEST_MAIN(TestHostileInput)
#include "tst_hostileinput.moc"

#include "app/tormelapp.h"
#include "copygate.h"
#include "core/dumpfile/workfolder.h"
#include "core/dumplist/dumplist.h"
#include "core/viewmodel/commandids.h"
#include "core/settings/memorysettings.h"
#include "frame/colorbutton.h"
#include "frame/commandtable.h"
#include "frame/mainframe.h"
#include "frame/markernumberbox.h"
#include "frame/mystatusbar.h"
#include "frame/ribbon.h"
#include "scriptedui.h"
#include "view/tormelview.h"

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QMenu>
#include <QMimeData>
#include <QTabBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <QUrl>
#include <QtTest>

#include <fstream>
#include <functional>
#include <memory>

using namespace byzel;

namespace {

// A program with its main window, settings in memory and scripted answers.
struct Program {
    MemorySettingsStore settings;
    testing::ScriptedUi ui;
    QTemporaryDir folder;
    std::unique_ptr<CTormelApp> app;
    std::unique_ptr<CMainFrame> frame;

    // seed writes settings that must be there before the program starts.
    explicit Program(const std::function<void(MemorySettingsStore&)>& seed = {}) {
        if (seed)
            seed(settings);
        app = std::make_unique<CTormelApp>(settings, ui, folder.path());
        app->work().setMarkerFilePath(std::string(kUnnamedMarkerFile));
    }
    CMainFrame& show() {
        frame = std::make_unique<CMainFrame>(*app);
        frame->resize(900, 600);
        frame->show();
        if (!QTest::qWaitForWindowExposed(frame.get()))
            qWarning("main window not exposed");
        return *frame;
    }
    // Starts an unnamed work on a dump file of size bytes.
    void openDumpFile(int size) {
        const std::string path = folder.filePath("dump.bin").toStdString();
        std::ofstream out(path, std::ios::binary);
        for (int i = 0; i < size; ++i)
            out.put(char(i * 7));
        out.close();
        QVERIFY(app->workflow().openAsNewWork(path));
        frame->updateCommands();
    }
    QAction* command(int id) { return frame->commands().action(id); }
    void run(int id) {
        QVERIFY2(command(id)->isEnabled(), qPrintable(QString::number(id)));
        command(id)->trigger();
    }
};

} // namespace

class TestMainFrame : public QObject {
    Q_OBJECT

private slots:
    void statusBarFollowsTheWorkAndShowsTheViewsHints() {
        Program p;
        CMainFrame& frame = p.show();
        p.openDumpFile(0x100);
        p.app->work().markers().append(0x00, 0x0F, 0xACFFFF);
        frame.updateCommands();
        auto* status = qobject_cast<CMyStatusBar*>(frame.statusBar());
        QVERIFY(status);
        QCOMPARE(status->paneText(4), QString("1"));
        const PixelRect cell = frame.view()->ByteCellRect(0x05);
        QTest::mouseMove(frame.view()->viewport(), QPoint(cell.left + 4, cell.top + 4));
        QTRY_COMPARE(status->hint(), QString("マーカをクリックすると説明をポップアップ表示します"));
    }

    void statusBarShowsTheWorkingCopyGrowUntilItIsTaken() {
        Program p;
        CMainFrame& frame = p.show();
        // Released first when the test ends, so the program's end can stop the copy.
        testing::CopyGate gate;
        p.app->work().dump().setCopyPacing(gate.pacing(0x1000), 1);
        p.openDumpFile(0x10000);
        gate.waitUntilHeld();
        const DumpFile& dump = p.app->work().dump();
        QCOMPARE(dump.readingPath(), p.folder.filePath("dump.bin").toStdString());
        auto* status = qobject_cast<CMyStatusBar*>(frame.statusBar());
        QTRY_VERIFY(status->copyProgressShown());
        QTRY_COMPARE(status->copyPercent(), 6);
        gate.release();
        QTRY_VERIFY(!status->copyProgressShown());
        QVERIFY(!dump.copyPending());
        QCOMPARE(dump.readingPath(), p.app->workFolder().filePath(kWorkingCopyName));
        std::array<std::uint8_t, 16> row{};
        QCOMPARE(dump.readAt(0xFFF0, row), 16);
        QCOMPARE(row[15], std::uint8_t(0xFFFF * 7));
    }

    void wheelOverTheStatusBarScrollsTheList() {
        Program p;
        CMainFrame& frame = p.show();
        p.openDumpFile(0x10000);
        QWidget* bar = frame.statusBar();
        const QPoint inside(10, bar->height() / 2);
        QWheelEvent wheel(inside, bar->mapToGlobal(inside), {}, {0, -120}, Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(bar, &wheel);
        QVERIFY(p.app->view().topRow > 0);
    }

    void keysReachTheViewBeforeAnyClick() {
        Program p;
        CMainFrame frame(*p.app);
        frame.showAtStart();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        const std::string path = p.folder.filePath("dump.bin").toStdString();
        std::ofstream(path, std::ios::binary) << std::string(0x100, 'x');
        QVERIFY(p.app->workflow().openAsNewWork(path));
        QCOMPARE(QApplication::focusWidget(), frame.view());
        QTest::keyClick(frame.windowHandle(), Qt::Key_Right);
        QCOMPARE(p.app->view().referencePoint, 1);
    }

    void firstStartShowsTheWholeRibbonListingAndStatusBar() {
        Program p;
        CMainFrame& frame = p.show();
        frame.restorePlacement(QSize(1920, 1080), QRect(0, 24, 1920, 1056));
        QTest::qWait(10);
        QVERIFY(frame.width() >= frame.ribbon().sizeHint().width());
        p.openDumpFile(0x1000);
        // The remark column's heading fits beside the vertical scroll bar.
        QVERIFY(!frame.view()->horizontalScrollBar()->isVisible());
        QVERIFY(frame.view()->viewport()->width() >
                int(kFullHeader.size()) * frame.view()->metrics().charWidth);
        // Every fact pane of the status bar has its full width.
        for (auto* pane : frame.statusBar()->findChildren<QLabel*>())
            QVERIFY(pane->width() >= pane->sizeHint().width());

        // A small screen bounds it; a stored placement is used as it was.
        Program q;
        CMainFrame small(*q.app);
        small.restorePlacement(QSize(800, 600), QRect(0, 0, 800, 570));
        QCOMPARE(small.geometry(), QRect(0, 0, 800, 570));
        q.settings.writeInt("Last", "SX", 700);
        small.restorePlacement(QSize(800, 600), QRect(0, 0, 800, 570));
        QCOMPARE(small.geometry(), QRect(0, 0, 700, 480));
    }

    void storedPositionIsPulledBackOntoTheScreen() {
        Program p;
        p.settings.writeInt("Last", "PX", 1800);
        p.settings.writeInt("Last", "PY", 40);
        CMainFrame frame(*p.app);
        frame.restorePlacement(QSize(1920, 1080), QRect(0, 0, 1920, 1080));
        QCOMPARE(frame.geometry(), QRect(1280, 40, 640, 480));
    }

    void placementIsSavedAtCloseAlsoWhileMaximised() {
        Program p;
        CMainFrame& frame = p.show();
        frame.setGeometry(100, 80, 700, 500);
        QTest::qWait(10);
        frame.showMaximized();
        QTRY_VERIFY(frame.isMaximized());
        QVERIFY(frame.close());
        QCOMPARE(p.settings.readInt("Last", "Zoomed"), 1);
        QCOMPARE(p.settings.readInt("Last", "PX"), 100);
        QCOMPARE(p.settings.readInt("Last", "PY"), 80);
        QCOMPARE(p.settings.readInt("Last", "SX"), 700);
        QCOMPARE(p.settings.readInt("Last", "SY"), 500);

        Program q;
        CMainFrame& normal = q.show();
        normal.setGeometry(30, 20, 800, 550);
        QTest::qWait(10);
        q.command(ID_APP_EXIT)->trigger();
        QVERIFY(!normal.isVisible());
        QCOMPARE(q.settings.readInt("Last", "Zoomed"), 0);
        QCOMPARE(q.settings.readInt("Last", "SX"), 800);
    }

    void closingAModifiedWorkAsksAndCancelKeepsTheWindow() {
        Program p;
        CMainFrame& frame = p.show();
        p.openDumpFile(256);
        p.app->work().markers().append(0x10, 0x1F, 0xB0B0FF);
        p.app->work().setModified(true);
        p.ui.answer(Cancel);
        QVERIFY(!frame.close());
        QVERIFY(frame.isVisible());
        QCOMPARE(p.ui.shownIds(), std::vector<int>{msg::AskSaveUnnamed});
        QVERIFY(!p.settings.readInt("Last", "Zoomed"));
        p.ui.answer(No);
        QVERIFY(frame.close());
    }

    void withoutAFilePensAndModifyModeAreDisabled() {
        Program p;
        CMainFrame& frame = p.show();
        for (int id : {ID_MARKER_YELLOW, ID_MARKER_BLUE, ID_MARKER_RED, ID_MARKER_GREEN,
                       ID_MARKER_GLAY, ID_MARKER_CYAN, ID_MARKER_MAZENTA, ID_MARKER_SILVER,
                       ID_ETC_COL, ID_MARKER_UPD, ID_JUMP_END, ID_FILE_SAVE})
            QVERIFY2(!p.command(id)->isEnabled(), qPrintable(QString::number(id)));
        QVERIFY(!frame.ribbon().colorButton()->isEnabled());
        QVERIFY(p.command(ID_NORMAL_MODE)->isEnabled());
        QVERIFY(p.command(ID_NORMAL_MODE)->isChecked());
        QVERIFY(p.command(ID_DSP_VALUE)->isEnabled());
        p.run(ID_DSP_VALUE);
        QCOMPARE(p.app->view().mode, InteractionMode::ValueCheck);
        QVERIFY(p.command(ID_DSP_VALUE)->isChecked());
        QVERIFY(!p.command(ID_NORMAL_MODE)->isChecked());
    }

    void markerModeDisablesClearAll() {
        Program p;
        p.show();
        p.openDumpFile(4096);
        p.app->work().markers().append(0x10, 0x1F, 0xB0B0FF);
        p.frame->updateCommands();
        QVERIFY(p.command(ID_DEL_ALL_MARK)->isEnabled());
        p.run(ID_MARKER_GREEN);
        QCOMPARE(p.app->view().mode, InteractionMode::Marker);
        QCOMPARE(p.app->view().penColor, 0xAAFFAAu);
        for (int id : {ID_DEL_ALL_MARK, ID_MARK_MENT, ID_BATCH_EDIT})
            QVERIFY2(!p.command(id)->isEnabled(), qPrintable(QString::number(id)));
        QVERIFY(p.command(ID_MARKER_GREEN)->isChecked());
        p.run(ID_NORMAL_MODE);
        QVERIFY(p.command(ID_DEL_ALL_MARK)->isEnabled());
        QVERIFY(!p.command(ID_MARKER_GREEN)->isChecked());
    }

    void clearAllMarkersAsksFirst() {
        Program p;
        p.show();
        p.openDumpFile(4096);
        p.app->work().markers().append(0x10, 0x1F, 0xB0B0FF);
        p.app->work().markers().append(0x30, 0x3F, 0xB0B0FF);
        p.frame->updateCommands();
        p.ui.answer(No);
        p.run(ID_DEL_ALL_MARK);
        QCOMPARE(p.app->work().markers().count(), 2);
        QVERIFY(!p.app->work().modified());
        p.ui.answer(Yes);
        p.run(ID_DEL_ALL_MARK);
        QCOMPARE(p.ui.shownIds(),
                 (std::vector<int>{msg::AskClearAllMarkers, msg::AskClearAllMarkers}));
        QCOMPARE(p.app->work().markers().count(), 0);
        QVERIFY(p.app->work().modified());
        QVERIFY(!p.command(ID_DEL_ALL_MARK)->isEnabled());
    }

    void paletteColourOfAPenChecksThatPen() {
        Program p;
        CMainFrame& frame = p.show();
        p.openDumpFile(4096);
        ColorButton* button = frame.ribbon().colorButton();
        QVERIFY(button->isEnabled());
        QCOMPARE(button->color(), 0x0000FFu);
        auto* redCell = button->palette()->findChild<QToolButton*>("palette-b0b0ff");
        QVERIFY(redCell);
        redCell->click();
        QCOMPARE(p.app->view().mode, InteractionMode::Marker);
        QCOMPARE(p.app->view().penColor, 0xB0B0FFu);
        QVERIFY(p.command(ID_MARKER_RED)->isChecked());
        QVERIFY(!p.command(ID_ETC_COL)->isChecked());

        // A colour of no pen checks the colour button; the chooser's colour is used too.
        p.ui.chooseColorAnswer(0x123456u);
        QAction* other = button->palette()->actions().last();
        other->trigger();
        QCOMPARE(p.app->view().penColor, 0x123456u);
        QVERIFY(p.command(ID_ETC_COL)->isChecked());
        QVERIFY(!p.command(ID_MARKER_RED)->isChecked());
        // Cancelling the chooser changes nothing.
        other->trigger();
        QCOMPARE(button->color(), 0x123456u);
    }

    void markerNumberBoxIsLimitedToTheMarkers_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("shown");
        QTest::newRow("zero, Enter") << "0" << 0 << "1";
        QTest::newRow("negative, Enter") << "-3" << 0 << "1";
        QTest::newRow("beyond the markers, Enter") << "9999" << 0 << "12";
        QTest::newRow("spin down from 1") << "1" << -1 << "1";
        QTest::newRow("spin up from 12") << "12" << 1 << "12";
        QTest::newRow("spin up from -3") << "-3" << 1 << "1";
        QTest::newRow("spin within") << "5" << 1 << "6";
    }

    void markerNumberBoxIsLimitedToTheMarkers() {
        QFETCH(QString, typed);
        QFETCH(int, step);
        QFETCH(QString, shown);
        Program p;
        CMainFrame& frame = p.show();
        p.openDumpFile(0x10000);
        for (int i = 0; i < 12; ++i)
            p.app->work().markers().append(0x100 * i, 0x100 * i + 3, 0xACFFFF);
        MarkerNumberBox* box = frame.ribbon().markerNumberBox();
        box->setText(typed);
        if (step == 0)
            QTest::keyClick(box, Qt::Key_Return);
        else
            box->stepBy(step);
        QCOMPARE(box->text(), shown);
        // Limiting the number scrolls nothing.
        QCOMPARE(p.app->view().topRow, 0);
    }

    void showMarkerAtTopScrollsToItsRow() {
        Program p;
        CMainFrame& frame = p.show();
        p.openDumpFile(0x10000);
        for (int i = 0; i < 12; ++i)
            p.app->work().markers().append(0x100 * i + 0x20, 0x100 * i + 0x23, 0xACFFFF);
        p.frame->updateCommands();
        frame.ribbon().markerNumberBox()->setText("12");
        p.run(ID_DSP_MARK);
        QCOMPARE(p.app->view().topRow, (0x100 * 11 + 0x20) / 16);
        frame.ribbon().markerNumberBox()->setText("40");
        p.run(ID_DSP_MARK);
        QCOMPARE(p.app->view().topRow, (0x100 * 11 + 0x20) / 16);
        frame.ribbon().markerNumberBox()->setText("0");
        p.run(ID_DSP_MARK);
        QCOMPARE(p.app->view().topRow, 2);
    }

    void jumpCommandsScrollWithinTheList() {
        Program p;
        p.show();
        p.openDumpFile(100);
        p.run(ID_JUMP_END);
        QCOMPARE(p.app->view().topRow, 0);

        p.openDumpFile(0x10000);
        QVERIFY(p.app->view().visibleRows > 0);
        QTest::keyClick(p.frame.get(), Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(p.app->view().topRow, 0x1001 - p.app->view().visibleRows);
        QTest::keyClick(p.frame.get(), Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(p.app->view().topRow, 0);
        p.app->view().referencePoint = 0x345;
        p.run(ID_DSP_KIJUN);
        QCOMPARE(p.app->view().topRow, 0x34);
    }

    void searchHitCommandsFollowTheHit() {
        Program p;
        p.show();
        p.openDumpFile(0x10000);
        QVERIFY(!p.command(ID_HIT_CLEAR)->isEnabled());
        p.app->work().searchHit() = {0x800, 4};
        p.frame->updateCommands();
        p.run(ID_DSP_HIT);
        QCOMPARE(p.app->view().topRow, 0x80);
        p.run(ID_HIT_CLEAR);
        QCOMPARE(p.app->work().searchHit().start, -1);
        QVERIFY(!p.command(ID_DSP_HIT)->isEnabled());
    }

    void switchesToggleTheHeader() {
        Program p;
        p.show();
        p.openDumpFile(4096);
        QVERIFY(!p.command(ID_RENDOU)->isEnabled());
        p.app->work().markers().append(0x10, 0x1F, 0xB0B0FF);
        p.frame->updateCommands();
        p.run(ID_RENDOU);
        QVERIFY(p.app->work().header().linkedScrollingOn());
        QVERIFY(p.command(ID_RENDOU)->isChecked());
        // The link line switch shows in the view's picture.
        CTormelView* view = p.frame->view();
        const CellMetrics& m = view->metrics();
        const QPoint lineStart(76 * m.charWidth - view->horizontalPosition(),
                               2 * m.lineHeight + m.lineHeight / 2);
        p.run(ID_REM_LINE);
        QCOMPARE(view->viewport()->grab().toImage().pixelColor(lineStart),
                 QColor(0xCD, 0x7E, 0x7E));
        p.run(ID_REM_LINE);
        QVERIFY(!p.app->work().header().linkLinesOn());
        QVERIFY(!p.command(ID_REM_LINE)->isChecked());
        QCOMPARE(view->viewport()->grab().toImage().pixelColor(lineStart), QColor(Qt::white));
    }

    void valueCheckNumbersStayInTheRibbonBoxes() {
        Program p;
        CMainFrame& frame = p.show();
        p.openDumpFile(0x100);
        p.run(ID_DSP_VALUE);
        CTormelView* view = frame.view();
        auto cellOf = [view](Offset b) {
            const PixelRect r = view->ByteCellRect(b);
            return QPoint(r.left + r.width() / 2, r.top + 2);
        };
        // Bytes 0x70 and 0x77.
        QTest::mousePress(view->viewport(), Qt::LeftButton, {}, cellOf(0x10));
        QTest::mouseMove(view->viewport(), cellOf(0x11));
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, cellOf(0x11));
        QCOMPARE(frame.ribbon().bigEndianBox()->text(), QString("28,791"));
        QCOMPARE(frame.ribbon().littleEndianBox()->text(), QString("30,576"));
        // A click on one byte and leaving the mode keep them.
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cellOf(0x20));
        p.run(ID_NORMAL_MODE);
        QCOMPARE(frame.ribbon().bigEndianBox()->text(), QString("28,791"));
        QCOMPARE(frame.ribbon().littleEndianBox()->text(), QString("30,576"));
    }

    void ribbonShowsItsPanelsAndMinimises() {
        Program p;
        CMainFrame& frame = p.show();
        Ribbon& ribbon = frame.ribbon();
        QStringList captions;
        for (RibbonPanel* panel : ribbon.panels())
            captions << panel->caption();
        QCOMPARE(captions, (QStringList{"表示", "編集", "マーカ"}));
        QCOMPARE(ribbon.tabBar()->tabText(0), QString("ホーム   WClick , Ctrl+F1"));
        QCOMPARE(ribbon.applicationButton()->text(), QString("ファイル"));
        QCOMPARE(p.command(ID_MARKER_RED)->toolTip(),
                 QString("赤色ペン\nマーカペンの色を赤色にします"));
        QCOMPARE(p.command(ID_FILE_SAVE)->toolTip(),
                 QString("上書き保存\n現在作業中のマーカファイルを\n上書きして保存します"));
        QVERIFY(ribbon.bigEndianBox()->isReadOnly());
        p.app->showValues("305,419,896", "2,018,915,346");
        QCOMPARE(ribbon.littleEndianBox()->text(), QString("2,018,915,346"));

        QVERIFY(ribbon.category()->isVisible());
        QTest::keyClick(&frame, Qt::Key_F1, Qt::ControlModifier);
        QVERIFY(!ribbon.category()->isVisible());
        QVERIFY(ribbon.tabBar()->isVisible());
        const QRect tab = ribbon.tabBar()->tabRect(0);
        QTest::mouseDClick(ribbon.tabBar(), Qt::LeftButton, {}, tab.center());
        QVERIFY(ribbon.category()->isVisible());
    }

    void recentFileListDropsEntriesThatAreNotMarkerFiles() {
        Program p([](MemorySettingsStore& s) {
            s.writeText("Recent File List", "File1", "/w/a&b.mkg");
            s.writeText("Recent File List", "File2", "/w/data.bin");
            s.writeText("Recent File List", "File3", "/w/c.mkg");
        });
        CMainFrame& frame = p.show();
        emit frame.ribbon().applicationMenu()->aboutToShow();
        QCOMPARE(p.command(ID_FILE_MRU_FIRST)->text(), QString("&1 a&&b.mkg"));
        QCOMPARE(p.command(ID_FILE_MRU_FIRST + 1)->text(), QString("&2 c.mkg"));
        QVERIFY(!p.command(ID_FILE_MRU_FIRST + 2)->isVisible());
        QCOMPARE(p.app->recentFiles().entries().size(), 2u);
        // An entry whose file is gone offers to remove it.
        p.ui.answer(Yes);
        p.run(ID_FILE_MRU_FIRST + 1);
        QCOMPARE(p.ui.shownIds(), std::vector<int>{msg::AskRemoveRecent});
        QCOMPARE(p.app->recentFiles().entries().size(), 1u);
    }

    void droppedFilesGoToTheWorkflow() {
        Program p;
        CMainFrame& frame = p.show();
        QMimeData twoFiles;
        twoFiles.setUrls({QUrl::fromLocalFile("/tmp/a.bin"), QUrl::fromLocalFile("/tmp/b.bin")});
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &twoFiles, Qt::LeftButton, {});
        QApplication::sendEvent(&frame, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &twoFiles, Qt::LeftButton, {});
        QApplication::sendEvent(&frame, &drop);
        QTRY_VERIFY(p.ui.wasShown(msg::DropOneFile));

        QMimeData web;
        web.setUrls({QUrl("https://example.org/a.bin")});
        QDragEnterEvent remote(QPoint(50, 50), Qt::CopyAction, &web, Qt::LeftButton, {});
        QApplication::sendEvent(&frame, &remote);
        QVERIFY(!remote.isAccepted());
    }
};

QTEST_MAIN(TestMainFrame)
#include "tst_mainframe.moc"

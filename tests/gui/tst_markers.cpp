#include "app/tormelapp.h"
#include "core/markers/markernudge.h"
#include "core/settings/memorysettings.h"
#include "core/text/messages.h"
#include "core/viewmodel/commandids.h"
#include "frame/commandtable.h"
#include "frame/mainframe.h"
#include "markers/batchdlg.h"
#include "markers/colorpickbutton.h"
#include "markers/markercommands.h"
#include "markers/markerlistmodel.h"
#include "markers/markmentdlg.h"
#include "markers/movemarkdlg.h"
#include "markers/propertydlg.h"
#include "scriptedui.h"
#include "view/tormelview.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <fstream>
#include <memory>

using namespace byzel;

namespace {

constexpr Offset kDumpSize = 0x100;

// A program on an unnamed work over a dump file of kDumpSize bytes, with scripted answers and
// a record of the repaints the dialogs ask for.
struct Program {
    MemorySettingsStore settings;
    testing::ScriptedUi ui;
    QTemporaryDir folder;
    std::unique_ptr<CTormelApp> app;
    std::unique_ptr<CMainFrame> frame;
    std::vector<RepaintRegion> repaints;

    Program() {
        app = std::make_unique<CTormelApp>(settings, ui, folder.path());
        app->work().setMarkerFilePath(std::string(kUnnamedMarkerFile));
        const std::string path = folder.filePath("dump.bin").toStdString();
        std::ofstream out(path, std::ios::binary);
        for (int i = 0; i < kDumpSize; ++i)
            out.put(char(i));
        out.close();
        if (!app->workflow().openAsNewWork(path))
            qWarning("dump file not opened");
    }
    MarkerTable& markers() { return app->work().markers(); }
    void addMarkers(std::initializer_list<std::pair<Offset, Offset>> ranges,
                    ColorRef color = 0x0000FF) {
        for (auto [s, e] : ranges)
            markers().append(s, e, color);
    }
    MarkerEditing editing() {
        return {app->work(), ui, [this](RepaintRegion r) { repaints.push_back(r); }};
    }
    CMainFrame& showFrame() {
        frame = std::make_unique<CMainFrame>(*app);
        frame->resize(900, 600);
        frame->show();
        return *frame;
    }
    MarkerCommands& commands() { return frame->markerCommands(); }
    [[nodiscard]] bool modified() const { return app->work().modified(); }
};

std::string remarkOf(const MarkerTable& t, int i) {
    return std::string(t[i].remarkText());
}

QStringList itemTexts(const QMenu* menu) {
    QStringList texts;
    for (const QAction* a : menu->actions())
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return texts;
}

QAction* actionOf(const QMenu* menu, int id) {
    for (QAction* a : menu->actions()) {
        if (a->menu())
            if (QAction* inner = actionOf(a->menu(), id))
                return inner;
        if (!a->isSeparator() && a->data().toInt() == id)
            return a;
    }
    return nullptr;
}

} // namespace

class TestMarkers : public QObject {
    Q_OBJECT

private slots:
    void propertyDialogShowsTheRangeAndNudgesIntoFreeBytesOnly() {
        Program p;
        p.addMarkers({{0x10, 0x1F}, {0x20, 0x20}, {0x30, kDumpSize - 1}});
        CPropertyDlg first(p.editing(), 0);
        QCOMPARE(first.windowTitle(), QString("マーカのプロパティ № 1"));
        QCOMPARE(first.addressTexts(),
                 (QStringList{"00000010", "0000001F", "10", "16", "31", "16"}));

        // Adjacent to the next marker: the end cannot grow; the start can.
        first.nudgeButton(MarkerNudge::EndLater)->click();
        QVERIFY(!p.modified());
        QCOMPARE(p.markers()[0].end, 0x1F);
        first.nudgeButton(MarkerNudge::StartEarlier)->click();
        QCOMPARE(p.markers()[0].start, 0x0F);
        QCOMPARE(first.addressTexts()[0], QString("0000000F"));
        QCOMPARE(first.addressTexts()[2], QString("11"));
        QVERIFY(p.modified());
        QCOMPARE(p.repaints.back(), RepaintRegion::HexArea);

        // A one-byte marker does not shrink; the last marker ends at the file's last byte.
        CPropertyDlg single(p.editing(), 1);
        single.nudgeButton(MarkerNudge::StartLater)->click();
        single.nudgeButton(MarkerNudge::EndEarlier)->click();
        single.nudgeButton(MarkerNudge::StartEarlier)->click();
        QCOMPARE(p.markers()[1].start, 0x20);
        QCOMPARE(p.markers()[1].end, 0x20);
        CPropertyDlg last(p.editing(), 2);
        last.nudgeButton(MarkerNudge::EndLater)->click();
        QCOMPARE(p.markers()[2].end, kDumpSize - 1);
    }

    void propertyDialogStoresRemarksUpTo239BytesAndRefusesMore() {
        Program p;
        p.addMarkers({{0, 3}});
        CPropertyDlg dialog(p.editing(), 0);
        QCOMPARE(dialog.counterText(), QString("(0/239バイト)"));
        dialog.remarkEdit()->setPlainText(QString(239, QLatin1Char('a')));
        QCOMPARE(p.markers()[0].remarkText().size(), 239u);
        QCOMPARE(dialog.counterText(), QString("(239/239バイト)"));
        QVERIFY(p.modified());
        QCOMPARE(p.repaints.back(), RepaintRegion::RemarkPart);

        dialog.remarkEdit()->moveCursor(QTextCursor::End);
        QTest::keyClick(dialog.remarkEdit(), Qt::Key_B);
        QCOMPARE(dialog.counterText(), QString("(240/239バイト)"));
        QCOMPARE(p.ui.shownIds(), std::vector<int>{msg::TextTooLong});
        QCOMPARE(remarkOf(p.markers(), 0), std::string(239, 'a'));
        // Every further keystroke while too long says so again.
        QTest::keyClick(dialog.remarkEdit(), Qt::Key_C);
        QCOMPARE(p.ui.shownIds().size(), 2u);

        // Line breaks are stored as CR LF and counted as two bytes.
        dialog.remarkEdit()->setPlainText(QStringLiteral("あ\nb"));
        QCOMPARE(remarkOf(p.markers(), 0), std::string("\x82\xA0\r\nb"));
        QCOMPARE(dialog.counterText(), QString("(5/239バイト)"));
    }

    void propertyDialogColourChangesOnlyForAnotherColour() {
        Program p;
        p.addMarkers({{0, 3}}, rgb(255, 0, 0));
        CPropertyDlg dialog(p.editing(), 0);
        QCOMPARE(dialog.colorText(), QString("RGB(255,   0,   0)"));
        emit dialog.colorButton()->colorPicked(rgb(255, 0, 0));
        QVERIFY(p.repaints.empty() || p.repaints.back() != RepaintRegion::WholeView);
        QVERIFY(!p.modified());

        // The full chooser is the last entry of the button's palette menu.
        p.ui.chooseColorAnswer(rgb(0, 128, 255));
        dialog.colorButton()->menu()->actions().last()->trigger();
        QCOMPARE(p.markers()[0].color, rgb(0, 128, 255));
        QCOMPARE(dialog.colorText(), QString("RGB(  0, 128, 255)"));
        QCOMPARE(p.repaints.back(), RepaintRegion::WholeView);
        QVERIFY(p.modified());
    }

    void moveDialogStopsAtTheFileEndsAndAtNeighbours() {
        Program p;
        p.addMarkers({{5, 6}, {12, 13}, {20, 21}, {30, kDumpSize - 10}});
        CMoveMarkDlg dialog(p.editing(), 0);
        QCOMPARE(dialog.headingText(), QString("マーカ №1 以下のマーカを移動します。"));
        QCOMPARE(dialog.rangeText(), QString("(1 - 4)"));
        QCOMPARE(dialog.lastMarkerText(), QString("[No.1] "));

        // Back by exactly the start, then one more byte.
        dialog.backwardRadio()->setChecked(true);
        dialog.amountSpin()->setValue(5);
        dialog.move();
        QCOMPARE(p.markers()[0].start, 0);
        QVERIFY(dialog.errorText().isEmpty());
        dialog.amountSpin()->setValue(1);
        dialog.move();
        QCOMPARE(dialog.errorText(), QString("マーカがファイルの先頭を超えるので、移動できません"));
        QCOMPARE(p.markers()[0].start, 0);

        // Forward towards marker 2: two moves of 1, then adjacent and refused.
        dialog.forwardRadio()->setChecked(true);
        dialog.amountSpin()->setValue(5);
        dialog.move();
        QCOMPARE(p.markers()[0].start, 5);
        QCOMPARE(p.markers()[0].end, 6);
        dialog.amountSpin()->setValue(1);
        dialog.move();
        dialog.move();
        QCOMPARE(p.markers()[0].end, 8);
        QVERIFY(dialog.errorText().isEmpty());
        dialog.amountSpin()->setValue(4);
        dialog.move();
        QCOMPARE(dialog.errorText(), QString("マーカが後のマーカに重なるので、移動できません"));
        dialog.amountSpin()->setValue(3);
        dialog.move();
        QCOMPARE(p.markers()[0].end, 11);
        QVERIFY(dialog.errorText().isEmpty());
        dialog.amountSpin()->setValue(1);
        dialog.move();
        QCOMPARE(p.markers()[0].end, 11);
        QVERIFY(!dialog.errorText().isEmpty());
        QVERIFY(p.modified());
        QCOMPARE(p.repaints.back(), RepaintRegion::HexArea);
    }

    void moveDialogMovesARunToTheFileEnd() {
        Program p;
        p.addMarkers({{5, 6}, {12, 13}, {20, 21}, {30, kDumpSize - 10}});
        QVERIFY(p.markers().setRemark(3, "tail"));
        CMoveMarkDlg dialog(p.editing(), 1);
        // A number above the range is brought into it.
        dialog.lastSpin()->setValue(99);
        dialog.amountSpin()->setValue(9);
        dialog.move();
        QCOMPARE(p.markers()[3].end, kDumpSize - 1);
        QCOMPARE(p.markers()[1].start, 21);
        QCOMPARE(p.markers()[0].start, 5);
        dialog.amountSpin()->setValue(1);
        dialog.move();
        QCOMPARE(dialog.errorText(), QString("マーカがファイルの末尾を超えるので、移動できません"));
        QCOMPARE(dialog.lastMarkerText(), QString("[No.4] tail"));

        // Backwards onto the previous marker's last byte: one gap byte is the limit.
        dialog.backwardRadio()->setChecked(true);
        dialog.amountSpin()->setValue(15);
        dialog.move();
        QCOMPARE(dialog.errorText(), QString("マーカが前のマーカに重なるので、移動できません"));
        dialog.amountSpin()->setValue(14);
        dialog.move();
        QCOMPARE(p.markers()[1].start, 7);
        QCOMPARE(p.markers()[1].start - p.markers()[0].end, 1);
        dialog.amountSpin()->setValue(14000);
        QCOMPARE(dialog.amountSpin()->value(), 1000);

        CMoveMarkDlg onLast(p.editing(), 3);
        QCOMPARE(onLast.rangeText(), QString("(4 - 4)"));
        QCOMPARE(onLast.lastSpin()->minimum(), 4);
        QCOMPARE(onLast.lastSpin()->maximum(), 4);
    }

    void moveDialogWorksFromTheKeyboard() {
        Program p;
        p.addMarkers({{5, 6}, {12, 13}});
        CMoveMarkDlg dialog(p.editing(), 0);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(QApplication::focusWidget(), dialog.amountSpin());
        QTest::keyClicks(dialog.amountSpin(), "3");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::AltModifier);
        // A mnemonic clicks its button the way a mouse would, a moment later.
        QTRY_VERIFY(dialog.backwardRadio()->isChecked());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_M, Qt::AltModifier);
        QTRY_COMPARE(p.markers()[0].start, 2);
        // Return presses the default button, the move, again.
        QTest::keyClick(dialog.amountSpin(), Qt::Key_Return);
        QCOMPARE(dialog.errorText(), QString("マーカがファイルの先頭を超えるので、移動できません"));
        QVERIFY(dialog.isVisible());
    }

    void managementListShowsGroupedNumbersAndClearsCheckedMarkers() {
        Program p;
        p.addMarkers({{0, 15}, {20, 21}, {30, 31}, {40, 41}, {1000, 1999}});
        QVERIFY(p.markers().setRemark(1, "two\r\nlines"));
        MarkerToolHooks hooks;
        std::vector<int> written;
        hooks.writeMarkersToFile = [&](const std::vector<int>& rows) { written = rows; };
        CMarkMentDlg dialog(p.editing(), hooks);
        MarkerListModel& model = *dialog.model();
        auto cell = [&](int row, int column) {
            return model.data(model.index(row, column), Qt::DisplayRole).toString();
        };
        QCOMPARE(model.rowCount(), 5);
        QCOMPARE((QStringList{cell(0, 0), cell(0, 2), cell(0, 3), cell(0, 4)}),
                 (QStringList{"1", "0", "15", "16"}));
        QCOMPARE((QStringList{cell(4, 2), cell(4, 3), cell(4, 4)}),
                 (QStringList{"1,000", "1,999", "1,000"}));
        QCOMPARE(cell(1, 1), QString("two lines"));

        // Nothing checked: neither command does anything.
        dialog.run(CMarkMentDlg::ClearChecked);
        dialog.run(CMarkMentDlg::WriteChecked);
        QVERIFY(p.ui.shown().empty());
        QVERIFY(written.empty());

        model.setChecked(1, true);
        model.setChecked(3, true);
        dialog.run(CMarkMentDlg::WriteChecked);
        QCOMPARE(written, (std::vector<int>{1, 3}));

        p.ui.answer(No);
        dialog.run(CMarkMentDlg::ClearChecked);
        QCOMPARE(p.ui.shown().back().text, std::string("2個のマーカをクリアしてもよろしいですか"));
        QCOMPARE(p.markers().count(), 5);
        QVERIFY(model.isChecked(1) && model.isChecked(3));

        dialog.run(CMarkMentDlg::ClearChecked);
        QCOMPARE(p.markers().count(), 3);
        QCOMPARE(p.markers()[1].start, 30);
        QCOMPARE(p.markers()[2].start, 1000);
        QCOMPARE((QStringList{cell(0, 0), cell(1, 0), cell(2, 0)}), (QStringList{"1", "2", "3"}));
        QVERIFY(model.checkedRows().empty());
        QVERIFY(p.modified());
        QCOMPARE(p.repaints.back(), RepaintRegion::WholeView);

        dialog.run(CMarkMentDlg::CheckAll);
        dialog.run(CMarkMentDlg::ClearChecked);
        QVERIFY(p.markers().empty());
        QCOMPARE(model.rowCount(), 0);
    }

    void managementListChecksBySelectionAndDoubleClick() {
        Program p;
        p.addMarkers({{0, 1}, {2, 3}, {4, 5}});
        MarkerToolHooks hooks;
        CMarkMentDlg dialog(p.editing(), hooks);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTableView* list = dialog.list();
        list->selectRow(0);
        list->selectionModel()->select(dialog.model()->index(2, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
        dialog.run(CMarkMentDlg::CheckSelected);
        QCOMPARE(dialog.model()->checkedRows(), (std::vector<int>{0, 2}));
        dialog.run(CMarkMentDlg::UncheckSelected);
        QVERIFY(dialog.model()->checkedRows().empty());

        const QRect cellRect = list->visualRect(dialog.model()->index(1, 1));
        auto doubleClick = [&] {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cellRect.center());
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cellRect.center());
        };
        doubleClick();
        QCOMPARE(dialog.model()->checkedRows(), (std::vector<int>{1}));
        doubleClick();
        QVERIFY(dialog.model()->checkedRows().empty());
        // Without a file writer the entry is there but cannot run.
        QVERIFY(!actionOf(dialog.contextMenu(), CMarkMentDlg::WriteChecked)->isEnabled());
    }

    void bulkEditorTextAndSave() {
        Program p;
        for (int i = 0; i < 12; ++i)
            p.markers().append(i * 4, i * 4 + 1, 0);
        QVERIFY(p.markers().setRemark(2, std::string(239, 'z')));
        CBatchDlg dialog(p.editing());
        const QString text = dialog.editor()->toPlainText();
        QVERIFY(text.startsWith(QStringLiteral("[0001]\n")));
        QVERIFY(text.endsWith(QStringLiteral("[0012]\n")));

        // Unchanged text: nothing stored, the work stays unmodified.
        dialog.save();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.changed());
        QVERIFY(!p.modified());

        // One line's text edited; a 300-byte line keeps 238 bytes.
        CBatchDlg edited(p.editing());
        QString lines = edited.editor()->toPlainText();
        lines.replace(QStringLiteral("[0005]\n"), QStringLiteral("[0005]fifth\n"));
        lines.replace(QStringLiteral("[0007]\n"),
                      QStringLiteral("[0007]") + QString(300, 'y') + "\n");
        edited.editor()->setPlainText(lines);
        edited.save();
        QVERIFY(edited.changed());
        QVERIFY(p.modified());
        QCOMPARE(remarkOf(p.markers(), 4), std::string("fifth"));
        QCOMPARE(remarkOf(p.markers(), 6), std::string(238, 'y'));
        QCOMPARE(remarkOf(p.markers(), 2), std::string(239, 'z'));
        QCOMPARE(remarkOf(p.markers(), 3), std::string());
    }

    void bulkEditorStopsAtAWrongTagWithTheLineSelected() {
        Program p;
        for (int i = 0; i < 4; ++i)
            p.markers().append(i * 4, i * 4 + 1, 0);
        CBatchDlg dialog(p.editing());
        dialog.editor()->setPlainText(QStringLiteral("[0001]one\n[0003]\n[0004]four\n"));
        dialog.save();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(p.ui.shown().back().id, msg::BulkTagMismatch);
        QCOMPARE(p.ui.shown().back().text,
                 std::string("[0002]\n [№] 部分(左端6バイト)が異なります"));
        QCOMPARE(dialog.editor()->textCursor().selectedText(), QString("[0003]") + QChar(0x2029));
        // The line above the wrong one is stored, and counts as a change of the work.
        QCOMPARE(remarkOf(p.markers(), 0), std::string("one"));
        QCOMPARE(remarkOf(p.markers(), 3), std::string());
        QVERIFY(p.modified());

        // A remark with a line break spreads over two lines: left as it was it comes back whole;
        // with its first line edited, the continuation line stops the save and is selected.
        QVERIFY(p.markers().setRemark(1, "a\r\nb"));
        const std::size_t shownBefore = p.ui.shown().size();
        CBatchDlg untouched(p.editing());
        untouched.save();
        QCOMPARE(untouched.result(), int(QDialog::Accepted));
        QCOMPARE(p.ui.shown().size(), shownBefore);
        QCOMPARE(remarkOf(p.markers(), 1), std::string("a\r\nb"));
        CBatchDlg edited(p.editing());
        edited.editor()->setPlainText(
            edited.editor()->toPlainText().replace(QStringLiteral("[0002]a"), "[0002]c"));
        edited.save();
        QCOMPARE(p.ui.shown().back().text.substr(0, 7), std::string("[0003]\n"));
        QCOMPARE(edited.editor()->textCursor().selectedText(), QString("b") + QChar(0x2029));
    }

    void contextMenusHaveTheirItemsAndGreyWhatCannotRun() {
        Program p;
        p.addMarkers({{0, 3}});
        p.showFrame();
        QGuiApplication::clipboard()->clear();
        std::unique_ptr<QMenu> view(p.commands().buildMenu("VIEW", -1, {}));
        QCOMPARE(itemTexts(view.get()),
                 (QStringList{"ここを基準点にする(&K)\tWClick", "基準点からここまでのCRCを表示(&R)",
                              "-", "出現回数表示(&A)"}));
        std::unique_ptr<QMenu> marker(p.commands().buildMenu("VIEW_MARKER", 0, {}));
        QCOMPARE(
            itemTexts(marker.get()),
            (QStringList{"ここを基準点にする(&K)\tWClick", "基準点からここまでのCRCを表示(&R)", "-",
                         "この色のマーカの色を全て変更(&A)", "この色を現在のマーカ色にする(&S)",
                         "-", "このマーカをクリア(&C)", "このマーカ以下を移動(&M)", "-",
                         "マーカからファイル作成(&F)", "-", "このマーカのプロパティ(&Q)"}));
        QCOMPARE(itemTexts(marker->actions()[9]->menu()),
                 (QStringList{"このマーカのみのファイル作成(&F)",
                              "すべてのマーカ部分でファイル作成(&Z)"}));
        std::unique_ptr<QMenu> number(p.commands().buildMenu("MARKER_NO", 0, {}));
        QCOMPARE(itemTexts(number.get()),
                 (QStringList{"このマーカを最上段に表示(&F)", "この色のマーカの色を全て変更(&A)",
                              "この色を現在のマーカ色にする(&S)", "-", "このマーカをクリア(&C)",
                              "このマーカ以下を移動(&M)", "-", "このマーカの説明文をコピー(&T)",
                              "貼り付け(&P)", "-", "このマーカのプロパティ(&Q)\tWClick"}));
        // Nothing on the clipboard, normal mode; the frame has hooked in the tools.
        QVERIFY(!actionOf(number.get(), ID_PASTE_REMARK)->isEnabled());
        QVERIFY(actionOf(marker.get(), ID_CRC_TO_HERE)->isEnabled());
        QVERIFY(actionOf(number.get(), ID_CLEAR_MARKER)->isEnabled());

        // In marker mode clearing and moving are greyed; the tools run through their hooks.
        p.frame->view()->setPenColor(0x00FF00);
        std::vector<int> written;
        p.frame->markerTools().writeMarkersToFile = [&](const std::vector<int>& m) { written = m; };
        QGuiApplication::clipboard()->setText(QStringLiteral("text"));
        std::unique_ptr<QMenu> inPenMode(p.commands().buildMenu("MARKER_NO", 0, {}));
        QVERIFY(!actionOf(inPenMode.get(), ID_CLEAR_MARKER)->isEnabled());
        QVERIFY(!actionOf(inPenMode.get(), ID_MOVE_MARKERS)->isEnabled());
        QVERIFY(actionOf(inPenMode.get(), ID_PASTE_REMARK)->isEnabled());
        std::unique_ptr<QMenu> withTools(p.commands().buildMenu("VIEW_MARKER", 0, {}));
        actionOf(withTools.get(), ID_FILE_FROM_MARKER)->trigger();
        QCOMPARE(written, std::vector<int>{0});
    }

    void recolouringTouchesOnlyMarkersOfTheClickedColour() {
        Program p;
        p.addMarkers({{0, 1}, {4, 5}}, 0x0000FF);
        p.addMarkers({{8, 9}}, 0x00FF00);
        p.showFrame();
        // The same colour picked again asks nothing.
        p.ui.chooseColorAnswer(0x0000FF);
        p.commands().run(ID_RECOLOR_ALL, 1, {});
        QVERIFY(p.ui.shown().empty());
        QVERIFY(!p.modified());

        p.ui.chooseColorAnswer(0xFF0000);
        p.commands().run(ID_RECOLOR_ALL, 1, {});
        QCOMPARE(p.ui.shownIds(), std::vector<int>{msg::AskRecolorAll});
        QCOMPARE(p.markers()[0].color, 0xFF0000u);
        QCOMPARE(p.markers()[1].color, 0xFF0000u);
        QCOMPARE(p.markers()[2].color, 0x00FF00u);
        QVERIFY(p.modified());

        p.commands().run(ID_TAKE_PEN_COLOR, 2, {});
        QCOMPARE(p.app->view().mode, InteractionMode::Marker);
        QCOMPARE(p.app->view().penColor, 0x00FF00u);
    }

    void clearingAMarkerRenumbersTheRest() {
        Program p;
        p.addMarkers({{0, 1}, {4, 5}, {8, 9}});
        p.showFrame();
        p.ui.answer(No);
        p.commands().run(ID_CLEAR_MARKER, 0, {});
        QCOMPARE(p.markers().count(), 3);
        p.commands().run(ID_CLEAR_MARKER, 0, {});
        QCOMPARE(p.markers().count(), 2);
        QCOMPARE(p.markers()[0].start, 4);
        QVERIFY(p.modified());
        // A marker that no longer exists is left alone.
        p.commands().run(ID_CLEAR_MARKER, 5, {});
        QCOMPARE(p.markers().count(), 2);
    }

    void remarksTravelThroughTheClipboard() {
        Program p;
        p.addMarkers({{0, 1}, {4, 5}, {8, 9}});
        QVERIFY(p.markers().setRemark(0, "\x82\xA0 first"));
        p.showFrame();
        p.commands().run(ID_COPY_REMARK, 0, {});
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("あ first"));
        // Onto an empty remark: no question.
        p.commands().run(ID_PASTE_REMARK, 1, {});
        QVERIFY(p.ui.shown().empty());
        QCOMPARE(remarkOf(p.markers(), 1), remarkOf(p.markers(), 0));
        QVERIFY(p.modified());

        // Over a remark: the question shows it; No keeps it.
        QGuiApplication::clipboard()->setText(QStringLiteral("new"));
        p.ui.answer(No);
        p.commands().run(ID_PASTE_REMARK, 0, {});
        QCOMPARE(p.ui.shown().back().text,
                 std::string("現在の説明文:あ first\n上書きされますが、よろしいですか"));
        QCOMPARE(remarkOf(p.markers(), 0), std::string("\x82\xA0 first"));

        // Too long for a remark: cut between characters to at most 239 bytes.
        QGuiApplication::clipboard()->setText("x" + QString(200, QChar(0x3042)));
        p.commands().run(ID_PASTE_REMARK, 2, {});
        QCOMPARE(p.markers()[2].remarkText().size(), 239u);
        QCOMPARE(p.markers()[2].remarkText().substr(237), std::string("\x82\xA0"));
    }

    void frameAndViewOpenTheMarkerDialogsAndMenus() {
        Program p;
        p.addMarkers({{0, 3}});
        p.showFrame();
        p.frame->updateCommands();
        QString opened;
        auto closeNextDialog = [&] {
            opened.clear();
            QTimer::singleShot(0, [&] {
                if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                    opened = QString::fromLatin1(dialog->metaObject()->className());
                    dialog->reject();
                }
            });
        };
        closeNextDialog();
        p.frame->commands().trigger(ID_BATCH_EDIT);
        QCOMPARE(opened, QString("byzel::CBatchDlg"));
        closeNextDialog();
        p.frame->commands().trigger(ID_MARK_MENT);
        QCOMPARE(opened, QString("byzel::CMarkMentDlg"));
        closeNextDialog();
        emit p.frame->view()->markerPropertiesRequested(0);
        QCOMPARE(opened, QString("byzel::CPropertyDlg"));

        // A right click on a marked byte opens the marker's menu; its commands use that byte.
        CTormelView* view = p.frame->view();
        const PixelRect cell = view->ByteCellRect(2);
        const QPoint onByte((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
        QTest::mouseClick(view->viewport(), Qt::RightButton, {}, onByte);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QCOMPARE(menu->actions().at(3)->text(), QString("この色のマーカの色を全て変更(&A)"));
        actionOf(menu, ID_SET_REFERENCE_POINT)->trigger();
        QCOMPARE(p.app->view().referencePoint, 2);
        menu->close();
    }

    void referencePointCommandNeedsAByte() {
        Program p;
        p.showFrame();
        p.app->view().referencePoint = 0;
        const PixelRect cell = p.frame->view()->ByteCellRect(0x12);
        p.commands().run(ID_SET_REFERENCE_POINT, -1,
                         QPoint((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2));
        QCOMPARE(p.app->view().referencePoint, 0x12);
        p.commands().run(ID_SET_REFERENCE_POINT, -1, QPoint(-50, -50));
        QCOMPARE(p.app->view().referencePoint, 0x12);
    }
};

QTEST_MAIN(TestMarkers)
#include "tst_markers.moc"

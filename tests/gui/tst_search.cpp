#include "app/progressrunner.h"
#include "app/tormelapp.h"
#include "core/settings/memorysettings.h"
#include "core/settings/settings.h"
#include "core/viewmodel/commandids.h"
#include "frame/commandtable.h"
#include "frame/mainframe.h"
#include "scriptedui.h"
#include "search/consoledlg.h"
#include "search/editdlg.h"
#include "search/hexbox.h"
#include "view/tormelview.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>
#include <memory>

using namespace byzel;

namespace {

using Bytes = std::vector<std::uint8_t>;

// The main window on a dump file, settings in memory and scripted answers.
struct Program {
    MemorySettingsStore settings;
    testing::ScriptedUi ui;
    QTemporaryDir folder;
    std::unique_ptr<CTormelApp> app;
    std::unique_ptr<CMainFrame> frame;
    std::string path;

    explicit Program(const Bytes& bytes) {
        app = std::make_unique<CTormelApp>(settings, ui, folder.path());
        app->work().setMarkerFilePath(std::string(kUnnamedMarkerFile));
        frame = std::make_unique<CMainFrame>(*app);
        frame->resize(900, 600);
        frame->show();
        if (!QTest::qWaitForWindowExposed(frame.get()))
            qWarning("main window not exposed");
        path = folder.filePath("dump.bin").toStdString();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        if (!app->workflow().openAsNewWork(path))
            qWarning("dump file not opened");
    }
    Bytes onDisk() const {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
};

// A control of a dialog by its id.
template <typename T = QWidget> T* in(const QDialog& dialog, int id) {
    auto* w = qobject_cast<T*>(dialog.findChild<QWidget*>(QStringLiteral("c%1").arg(id)));
    if (!w)
        qWarning("no control %d", id);
    return w;
}

void click(const QDialog& dialog, int id) {
    auto* b = in<QPushButton>(dialog, id);
    QVERIFY(b && b->isEnabled());
    b->click();
}

// Replaces the box's text as the user would, key by key.
void type(const QDialog& dialog, int id, const QString& text) {
    auto* box = in<QLineEdit>(dialog, id);
    box->end(false);
    while (!box->text().isEmpty())
        QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
}

} // namespace

class TestSearch : public QObject {
    Q_OBJECT

private slots:
    void consoleStartsFromStoredBoxesAndTextFillsThem() {
        Program p(Bytes(64, 0));
        p.settings.writeText(section::Last, "8000", "4a");
        p.settings.writeText(section::Last, "8101", "FF");
        p.settings.writeText(section::Last, "Off10", "12");
        p.settings.writeInt(section::Last, "Endian", 2);
        CConsoleDlg console(*p.app, *p.frame->view());
        QCOMPARE(in<HexBox>(console, 8000)->text(), QString("4A"));
        QCOMPARE(in<HexBox>(console, 8101)->text(), QString("FF"));
        QCOMPARE(in<QLineEdit>(console, 1000)->text(), QString("12"));
        QVERIFY(in<QRadioButton>(console, 1012)->isChecked());
        QVERIFY(!in<QPushButton>(console, 1006)->isEnabled());
        QVERIFY(in<HexBox>(console, 8000)->alignment() & Qt::AlignHCenter);

        in<QLineEdit>(console, 326)->setText("ABCDEFGHIJKLMNOP");
        QCOMPARE(in<HexBox>(console, 8011)->text(), QString("4C"));
        in<QLineEdit>(console, 326)->setText("あ");
        QCOMPARE(in<HexBox>(console, 8000)->text(), QString("82"));
        QCOMPARE(in<HexBox>(console, 8001)->text(), QString("A0"));
        QCOMPARE(in<HexBox>(console, 8002)->text(), QString());
        type(console, 8200, "ab");
        QCOMPARE(in<HexBox>(console, 8200)->text(), QString("AB"));
        click(console, 1013);
        QCOMPARE(in<HexBox>(console, 8201)->text(), QString("A0"));
        QCOMPARE(in<HexBox>(console, 8200)->text(), QString("82"));
        click(console, 1009);
        QCOMPARE(in<HexBox>(console, 8200)->text(), QString());

        in<QRadioButton>(console, 1011)->setChecked(true);
        console.reject();
        QCOMPARE(p.settings.readInt(section::Last, "Endian"), 1);
    }

    void searchesBothWaysAndTheHitOutlivesTheConsole() {
        Program p(Bytes{0xAA, 0xAA, 0xAA});
        {
            CConsoleDlg console(*p.app, *p.frame->view());
            type(console, 8000, "AA");
            type(console, 8001, "AA");
            click(console, 1002);
            QCOMPARE(p.app->work().searchHit().start, 0);
            QVERIFY(in<QPushButton>(console, 1006)->isEnabled());
            click(console, 1002);
            QCOMPARE(p.app->work().searchHit().start, 1);
            click(console, 1001);
            click(console, 1001);
            QCOMPARE(p.ui.shownIds(), std::vector<int>{msg::NotFound});
            QCOMPARE(p.app->work().searchHit().start, 0);
            QCOMPARE(p.settings.readText(section::Recent, "Search0"), std::string("AAAA"));
            p.app->view().referencePoint = 2;
            click(console, 1003);
            QCOMPARE(p.app->view().referencePoint, 0);
        }
        QCOMPARE(p.app->work().searchHit().length, 2);
        p.frame->updateCommands();
        QAction* clear = p.frame->commands().action(ID_HIT_CLEAR);
        QVERIFY(clear->isEnabled());
        clear->trigger();
        QVERIFY(!p.app->work().searchHit().exists());
    }

    void singleDigitQuestionAndItsFocus() {
        Program p(Bytes{0x0A, 0x41});
        CConsoleDlg console(*p.app, *p.frame->view());
        console.show();
        QVERIFY(QTest::qWaitForWindowActive(&console));
        type(console, 8000, "A");
        p.ui.answer(No);
        click(console, 1002);
        QVERIFY(!p.app->work().searchHit().exists());
        QVERIFY(in<HexBox>(console, 8000)->hasFocus());
        QCOMPARE(p.ui.shown().back().text, std::string("｢A｣ は ｢0A｣と\nみなしてもよろしいですか"));
        p.ui.answer(Yes);
        click(console, 1002);
        QCOMPARE(in<HexBox>(console, 8000)->text(), QString("0A"));
        QCOMPARE(p.app->work().searchHit().start, 0);
    }

    void offsetsInBothByteOrdersAndPastTheEnd() {
        Program p(Bytes(600, 1));
        CConsoleDlg console(*p.app, *p.frame->view());
        in<QRadioButton>(console, 1011)->setChecked(true);
        type(console, 8100, "01");
        type(console, 8101, "02");
        QCOMPARE(in<QLabel>(console, 1036)->text(), QString("258"));
        in<QRadioButton>(console, 1012)->setChecked(true);
        QCOMPARE(in<QLabel>(console, 1036)->text(), QString("513"));
        p.app->view().referencePoint = 87;
        click(console, 1004);
        QVERIFY(!p.app->work().searchHit().exists());
        QCOMPARE(p.ui.shownIds(), std::vector<int>{msg::OffsetPastEnd});

        type(console, 1000, "300");
        QCOMPARE(in<QLabel>(console, 311)->text(), QString("2C01"));
        in<QRadioButton>(console, 1011)->setChecked(true);
        QCOMPARE(in<QLabel>(console, 311)->text(), QString("12C"));
        p.app->view().referencePoint = 299;
        click(console, 1010);
        QCOMPARE(p.app->work().searchHit().start, 599);
        QCOMPARE(p.app->work().searchHit().length, 1);
        QCOMPARE(p.settings.readText(section::Last, "Off10"), std::string("300"));
        QVERIFY(p.app->view().topRow > 0);

        type(console, 8102, "G");
        QCOMPARE(p.ui.shownIds().back(), msg::EnterHex);
    }

    void recentMenuFillsTheBoxes() {
        Program p(Bytes(16, 0));
        p.settings.writeText(section::Recent, "Search1", "414243");
        CConsoleDlg console(*p.app, *p.frame->view());
        QStringList items;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            for (QAction* a : menu->actions())
                items << a->text();
            menu->actions().front()->trigger();
            menu->close();
        });
        click(console, 314);
        QCOMPARE(items, QStringList{"414243(ABC)"});
        QCOMPARE(in<HexBox>(console, 8002)->text(), QString("43"));
        QCOMPARE(in<HexBox>(console, 8003)->text(), QString());
    }

    void replaceButtonsRewriteTheDumpFile() {
        Program p(Bytes{0xAA, 0xAA, 0xAA, 0x07});
        CConsoleDlg console(*p.app, *p.frame->view());
        type(console, 8000, "AA");
        type(console, 8001, "AA");
        type(console, 8200, "BB");
        p.ui.answer(No);
        click(console, 1007);
        QCOMPARE(p.onDisk(), (Bytes{0xAA, 0xAA, 0xAA, 0x07}));
        QCOMPARE(p.settings.readText(section::Recent, "Replace0"), std::string("BB"));
        click(console, 1007);
        QCOMPARE(p.onDisk(), (Bytes{0xBB, 0xAA, 0x07}));
        QVERIFY(p.app->work().modified());
        QCOMPARE(p.app->work().dump().size(), 3);

        // The hit's bytes are the pattern once; the second time they are not.
        type(console, 8001, "");
        click(console, 1002);
        QCOMPARE(p.app->work().searchHit().start, 1);
        type(console, 8200, "CC");
        click(console, 1006);
        QCOMPARE(p.onDisk(), (Bytes{0xBB, 0xCC, 0x07}));
        click(console, 1006);
        QCOMPARE(p.ui.shownIds().back(), msg::HitDiffersFromPattern);
    }

    void longWorkShowsAProgressDialogThatCancels() {
        QWidget owner;
        const PassRunner runner = ProgressRunner::runnerFor(&owner, "working");
        bool dialogSeen = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* d = qobject_cast<QProgressDialog*>(w); d && d->isVisible()) {
                    dialogSeen = true;
                    auto* cancel = d->findChild<QPushButton*>();
                    QVERIFY(cancel && cancel->text() == QString("中止"));
                    cancel->click();
                }
        });
        poll.start(50);
        bool stopped = false;
        (void)runner([&](const ProgressFn& progress) {
            for (std::int64_t i = 0; progress(i % 100, 100); ++i)
                QThread::msleep(5);
            stopped = true;
            return true;
        });
        QVERIFY(dialogSeen);
        QVERIFY(stopped);

        // Short work ends without any dialog.
        dialogSeen = false;
        (void)runner([](const ProgressFn& progress) { return progress(1, 1); });
        QVERIFY(!dialogSeen);
    }

    void editorShowsTheReferenceRow() {
        Bytes bytes(0x30 + 5);
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<std::uint8_t>(i);
        Program p(bytes);
        p.app->view().referencePoint = 0x25;
        CEditDlg editor(*p.app, *p.frame->view());
        QCOMPARE(in<QLabel>(editor, 1002)->text(), QString("00000020"));
        QCOMPARE(in<QLabel>(editor, 4505)->text(), QString("■"));
        QCOMPARE(in<QLabel>(editor, 4504)->text(), QString("□"));
        QCOMPARE(in<HexBox>(editor, 4400)->text(), QString("20"));
        QVERIFY(!in<QPushButton>(editor, 1)->isEnabled());

        // 0x35 is past the last byte: no move down.
        click(editor, 1024);
        QCOMPARE(in<QLabel>(editor, 1002)->text(), QString("00000020"));
        click(editor, 1003);
        click(editor, 1003);
        QCOMPARE(p.app->view().referencePoint, 0x23);
        QCOMPARE(in<QLabel>(editor, 4503)->text(), QString("■"));
        click(editor, 1024);
        QCOMPARE(in<QLabel>(editor, 1002)->text(), QString("00000030"));
        QCOMPARE(p.app->view().referencePoint, 0x33);
        QVERIFY(in<HexBox>(editor, 4404)->isEnabled());
        QVERIFY(!in<HexBox>(editor, 4405)->isEnabled());
        click(editor, 1025);
        QCOMPARE(p.app->view().referencePoint, 0x34);
        click(editor, 1025);
        QCOMPARE(p.app->view().referencePoint, 0x34);
        click(editor, 1024);
        QCOMPARE(p.app->view().referencePoint, 0x34);
    }

    void editorWritesTheRowInPlace() {
        Program p(Bytes(0x25, 0x11));
        p.app->view().referencePoint = 0x21;
        CEditDlg editor(*p.app, *p.frame->view());
        type(editor, 4401, "7");
        QVERIFY(in<QPushButton>(editor, 1)->isEnabled());
        // Left keeps the edit; writing it writes the single digit as 07.
        click(editor, 1003);
        click(editor, 1003);
        QCOMPARE(p.app->view().referencePoint, 0x20);
        QVERIFY(editor.changed());
        click(editor, 1);
        Bytes expected(0x25, 0x11);
        expected[0x21] = 0x07;
        QCOMPARE(p.onDisk(), expected);
        QCOMPARE(p.ui.shownIds(), std::vector<int>{msg::AskWriteRow});
        QVERIFY(p.app->work().modified());
        QCOMPARE(editor.result(), int(QDialog::Accepted));
    }

    void editorRefusesBoxesWithoutAByteAndDropsEditsOnMovesAnsweredNo() {
        Program p(Bytes(0x40, 0x11));
        p.app->view().referencePoint = 0x21;
        CEditDlg editor(*p.app, *p.frame->view());
        type(editor, 4402, "");
        click(editor, 1);
        QCOMPARE(p.ui.shownIds(), std::vector<int>{msg::EnterHex});
        QCOMPARE(p.onDisk(), Bytes(0x40, 0x11));
        type(editor, 4402, "ABC");
        click(editor, 1);
        QCOMPARE(p.onDisk(), Bytes(0x40, 0x11));

        type(editor, 4402, "55");
        p.ui.answer(No);
        click(editor, 1001);
        QCOMPARE(in<QLabel>(editor, 1002)->text(), QString("00000010"));
        QCOMPARE(p.app->view().referencePoint, 0x11);
        QVERIFY(!editor.changed());
        QCOMPARE(p.onDisk(), Bytes(0x40, 0x11));
        QCOMPARE(in<HexBox>(editor, 4402)->text(), QString("11"));
    }
};

QTEST_MAIN(TestSearch)
#include "tst_search.moc"

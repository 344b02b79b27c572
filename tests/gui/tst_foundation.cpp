#include "app/listingfont.h"
#include "app/qsettingsstore.h"
#include "app/qtuiport.h"
#include "app/tormelapp.h"
#include "core/settings/memorysettings.h"
#include "frame/mainframe.h"
#include "scriptedui.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFileDialog>
#include <QFontInfo>
#include <QFontMetrics>
#include <QListView>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace byzel;

class TestFoundation : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }

    void mainWindowTitleFollowsTheWork() {
        MemorySettingsStore settings;
        testing::ScriptedUi ui;
        CTormelApp app(settings, ui);
        CMainFrame frame(app);
        app.work().setMarkerFilePath(std::string(kUnnamedMarkerFile));
        app.work().setModified(false);
        QCOMPARE(frame.windowTitle(), QString("[マーカファイル名未定義]"));
        app.work().setMarkerFilePath("/home/user/解析/data.bin.mkg");
        app.work().setModified(true);
        QCOMPARE(frame.windowTitle(), QString("data.bin*"));
        app.work().setModified(false);
        QCOMPARE(frame.windowTitle(), QString("data.bin"));
    }

    void messageBoxShowsCaptionIconAndJapaneseButtons_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("press");
        QTest::addColumn<int>("expected");
        QTest::newRow("error") << int(BoxStyle::Error) << QStringList{"OK"}
                               << int(QMessageBox::Critical) << "OK" << int(Ok);
        QTest::newRow("information") << int(BoxStyle::Information) << QStringList{"OK"}
                                     << int(QMessageBox::Information) << "OK" << int(Ok);
        QTest::newRow("yes/no") << int(BoxStyle::YesNo) << QStringList{"はい(&Y)", "いいえ(&N)"}
                                << int(QMessageBox::Question) << "いいえ(&N)" << int(No);
        QTest::newRow("yes/no/cancel")
            << int(BoxStyle::YesNoCancel) << QStringList{"はい(&Y)", "いいえ(&N)", "キャンセル"}
            << int(QMessageBox::Question) << "キャンセル" << int(Cancel);
    }

    void messageBoxShowsCaptionIconAndJapaneseButtons() {
        QFETCH(int, style);
        QFETCH(QStringList, buttons);
        QFETCH(int, icon);
        QFETCH(QString, press);
        QFETCH(int, expected);

        QtUiPort port;
        QString caption, text;
        QStringList seen;
        int seenIcon = -1;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            caption = box->windowTitle();
            text = box->text();
            seenIcon = box->icon();
            QAbstractButton* toPress = nullptr;
            for (QAbstractButton* b : box->buttons()) {
                seen << b->text();
                if (b->text() == press)
                    toPress = b;
            }
            QVERIFY(toPress);
            toPress->click();
        });
        const int pressed =
            showMessage(port, msg::OpenFailed, "<b>/tmp/a.mkg</b>\n", static_cast<BoxStyle>(style));
        QCOMPARE(pressed, expected);
        QCOMPARE(caption, QString("Byzel"));
        QCOMPARE(seenIcon, icon);
        seen.sort();
        buttons.sort();
        QCOMPARE(seen, buttons);
        // User data is shown as plain text, markup and all.
        QCOMPARE(text, QString("<b>/tmp/a.mkg</b>\nファイルのオープン失敗しました"));
    }

    void settingsStoreKeepsSectionsNamesAndTypes() {
        QTemporaryDir dir;
        const QString ini = dir.filePath("Byzel.conf");
        {
            QSettingsStore store(ini);
            QCOMPARE(store.readInt("Last", "SX"), 640);
            QCOMPARE(QString::fromStdString(store.readText("Settings", "FontName")),
                     QString("ＭＳ ゴシック"));
            store.writeInt("Last", "PX", 1280);
            store.writeText("Last", "OpenFile", "/tmp/データ.bin");
            store.writeText("Recent File List", "File1", "/tmp/a.mkg");
            store.writeText("Last", "8000", "4A");
            store.sync();
        }
        QSettingsStore reopened(ini);
        QCOMPARE(reopened.readInt("Last", "PX"), 1280);
        QCOMPARE(QString::fromStdString(reopened.readText("Last", "OpenFile")),
                 QString("/tmp/データ.bin"));
        QCOMPARE(QString::fromStdString(reopened.readText("Recent File List", "File1")),
                 QString("/tmp/a.mkg"));
        QCOMPARE(QString::fromStdString(reopened.readText("Last", "8000")), QString("4A"));
        QSettings raw(ini, QSettings::IniFormat);
        QCOMPARE(raw.value("Last/PX").toInt(), 1280);
    }

    void listingFontMapsWindowsFacesToAnInstalledJapaneseFont() {
        MemorySettingsStore settings;
        QFont font = createListingFont(settings);
        QCOMPARE(font.family(), QString("ＭＳ ゴシック"));
        QCOMPARE(font.pointSize(), 12);
        QCOMPARE(font.weight(), QFont::Normal);
        QCOMPARE(QFontInfo(font).family(), QString("IPAGothic"));
        const QFontMetrics metrics(font);
        QCOMPARE(metrics.horizontalAdvance('i'), metrics.horizontalAdvance('W'));
        QCOMPARE(metrics.horizontalAdvance(QString("あ")), 2 * metrics.horizontalAdvance('W'));

        settings.writeInt("Settings", "FontBold", 1);
        settings.writeText("Settings", "FontName", "Courier New");
        QFont bold = createListingFont(settings, 20);
        QCOMPARE(bold.weight(), QFont::Bold);
        QCOMPARE(bold.pointSize(), 20);
        QCOMPARE(QFontInfo(bold).family(), QString("IPAGothic"));

        // Sizes from a hand-edited settings file that no dialog offers.
        for (int points : {0, -5, 145, 2147483647}) {
            settings.writeInt("Settings", "FontSize", points);
            QCOMPARE(createListingFont(settings).pointSize(), 12);
        }
        settings.writeInt("Settings", "FontSize", 72);
        QCOMPARE(createListingFont(settings).pointSize(), 72);
    }

    void windowsFiltersBecomeQtFilters() {
        QCOMPARE(toQtFilter("マーカファイル(*.mkg)|*.mkg||"),
                 QString("マーカファイル(*.mkg) (*.mkg)"));
        QCOMPARE(toQtFilter("a(*.txt)|*.txt|b(*.*)|*.*||"),
                 QString("a(*.txt) (*.txt);;b(*.*) (*)"));
    }

    // The dialog names each filter once, as the program wrote it, and "*.*" lists files
    // without an extension too.
    void fileDialogShowsTheFilterNamesAsWritten() {
        QTemporaryDir folder;
        QFile(folder.filePath("noextension")).open(QIODevice::WriteOnly);
        QStringList shown;
        bool listed = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            if (auto* types = dialog->findChild<QComboBox*>("fileTypeCombo"))
                for (int i = 0; i < types->count(); ++i)
                    shown << types->itemText(i);
            dialog->selectNameFilter(dialog->nameFilters().value(1));
            if (auto* list = dialog->findChild<QListView*>("listView"))
                listed = QTest::qWaitFor(
                    [list] { return list->model()->rowCount(list->rootIndex()) == 1; });
            dialog->reject();
        });
        QtUiPort ui;
        FileDialogRequest request;
        request.filter = "マーカファイル(*.mkg)|*.mkg|すべてのファイル(*.*)|*.*||";
        request.initialPath = folder.path().toStdString();
        QCOMPARE(ui.chooseOpenFile(request), std::string());
        QCOMPARE(shown, QStringList({"マーカファイル(*.mkg)", "すべてのファイル(*.*)"}));
        QVERIFY(listed);
    }
};

QTEST_MAIN(TestFoundation)
#include "tst_foundation.moc"

#include "app/progressrunner.h"
#include "app/tormelapp.h"
#include "core/markerfile/markerfile.h"
#include "core/settings/memorysettings.h"
#include "core/text/messages.h"
#include "core/viewmodel/commandids.h"
#include "frame/commandtable.h"
#include "frame/mainframe.h"
#include "memorysource.h"
#include "scriptedui.h"
#include "tools/appearancedlg.h"
#include "tools/crcreportcommand.h"
#include "tools/markerfilecommands.h"
#include "tools/property.h"
#include "tools/showfolder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <cstring>
#include <fstream>
#include <thread>

using namespace byzel;

namespace {

// Records the folders the file manager was asked to show instead of starting it.
class FolderRecorder : public QObject {
    Q_OBJECT
public:
    FolderRecorder() { QDesktopServices::setUrlHandler("file", this, "open"); }
    ~FolderRecorder() override { QDesktopServices::unsetUrlHandler("file"); }
    QStringList folders;
public slots:
    void open(const QUrl& url) { folders << url.toLocalFile(); }
};

// A file far larger than memory would like, read slowly: its count takes seconds.
class LargeSlowSource : public ByteSource {
public:
    std::int32_t readAt(Offset offset, std::span<std::uint8_t> buffer) const override {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        const auto n = std::min<std::int64_t>(buffer.size(), size() - offset);
        std::memset(buffer.data(), 'z', static_cast<std::size_t>(n));
        return static_cast<std::int32_t>(n);
    }
    [[nodiscard]] std::int64_t size() const override { return std::int64_t{256} << 20; }
};

// Presses "中止" as soon as a progress dialog shows.
void stopWhenTheProgressDialogShows(bool& pressed) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, &pressed] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<QProgressDialog*>(w); dialog && dialog->isVisible()) {
                dialog->findChild<QPushButton*>()->click();
                pressed = true;
                poll->deleteLater();
            }
    });
    poll->start(20);
}

struct Program {
    MemorySettingsStore settings;
    testing::ScriptedUi ui;
    QTemporaryDir folder;
    CTormelApp app{settings, ui, folder.path()};

    Program() { app.work().setMarkerFilePath(std::string(kUnnamedMarkerFile)); }
    std::string file(const char* name, const std::string& bytes) {
        const std::string path = folder.filePath(name).toStdString();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    void open(const std::string& bytes) {
        QVERIFY(app.workflow().openAsNewWork(file("dump.bin", bytes)));
    }
};

QStringList row(const QTableWidget& list, int r) {
    QStringList texts;
    for (int c = 0; c < list.columnCount(); ++c)
        texts << list.item(r, c)->text();
    return texts;
}

} // namespace

class TestTools : public QObject {
    Q_OBJECT
private slots:
    void progressRunnerGivesTheResultOfQuickWorkWithoutADialog() {
        int seen = 0;
        QVERIFY(ProgressRunner::run(nullptr, "work", [&](const ProgressFn& progress) {
            seen = progress(1, 1) ? 1 : -1;
            return true;
        }));
        QCOMPARE(seen, 1);
        QVERIFY(!ProgressRunner::run(nullptr, "work", [](const ProgressFn&) { return false; }));
    }

    void progressRunnerStopsWorkWhenItsDialogIsDismissedWithEscape() {
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* d = qobject_cast<QProgressDialog*>(w); d && d->isVisible())
                    QTest::keyClick(d, Qt::Key_Escape);
        });
        poll.start(50);
        bool stopped = false;
        QVERIFY(!ProgressRunner::run(nullptr, "work", [&](const ProgressFn& progress) {
            while (progress(1, 2))
                QThread::msleep(5);
            stopped = true;
            return true;
        }));
        QVERIFY(stopped);
        QVERIFY(!QApplication::overrideCursor());
    }

    void progressRunnerShowsWorkThatTellsNoProgressAsBusy() {
        for (const bool tells : {false, true}) {
            std::atomic<int> maximum = -1;
            QTimer poll;
            QObject::connect(&poll, &QTimer::timeout, [&] {
                for (QWidget* w : QApplication::topLevelWidgets())
                    if (auto* d = qobject_cast<QProgressDialog*>(w); d && d->isVisible())
                        maximum = d->maximum();
            });
            poll.start(20);
            QVERIFY(ProgressRunner::run(nullptr, "work", [&](const ProgressFn& progress) {
                for (int waited = 0; maximum < 0 && waited < 5000; waited += 5) {
                    if (tells)
                        (void)progress(1, 2);
                    QThread::msleep(5);
                }
                return true;
            }));
            QCOMPARE(maximum.load() > 0, tells);
        }
    }

    void occurrenceCounterListsCharactersAndTheCodeTable() {
        MemorySettingsStore settings;
        testing::ScriptedUi ui;
        testing::MemorySource source(std::string_view("AAB\r\n"));
        CAppearanceDlg dialog(source, settings, ui);
        QVERIFY(dialog.countAll());
        auto* list = dialog.findChild<QTableWidget*>("characterList");
        QCOMPARE(list->rowCount(), 2);
        QCOMPARE(row(*list, 0), (QStringList{"     2", "A", "0x0041", "65"}));
        QCOMPARE(row(*list, 1), (QStringList{"     1", "B", "0x0042", "66"}));
        QCOMPARE(list->currentRow(), 0);
        QCOMPARE(dialog.findChild<QLabel*>("totalBytes")->text(), QString("(5)"));
        const QStringList lines =
            dialog.findChild<QPlainTextEdit*>("codeTable")->toPlainText().split('\n');
        QCOMPARE(lines[1].mid(5 + 13 * 9, 9), QString("        1"));
        QCOMPARE(lines[5].mid(5 + 9, 9), QString("        2"));
        QVERIFY(ui.shown().empty());

        // A filter is remembered at once but counted only on "更新(&R)".
        dialog.findChild<QAbstractButton*>("kindRadio1")->click();
        QCOMPARE(settings.readInt("Last", "CharType"), 1);
        QCOMPARE(list->rowCount(), 2);
        dialog.findChild<QPushButton*>("refreshButton")->click();
        QCOMPARE(list->rowCount(), 0);

        CAppearanceDlg again(source, settings, ui);
        QVERIFY(again.findChild<QAbstractButton*>("kindRadio1")->isChecked());
    }

    void occurrenceCounterCapacityIsRememberedAndWarnsOnce() {
        MemorySettingsStore settings;
        testing::ScriptedUi ui;
        std::string bytes;
        for (int t = 0x40; t < 0x40 + 250; ++t)
            bytes += std::string("\x88") + char(t);
        testing::MemorySource source(bytes);
        CAppearanceDlg dialog(source, settings, ui);
        auto* combo = dialog.findChild<QComboBox*>("maxCombo");
        QCOMPARE(combo->currentText(), QString("4000"));
        combo->setCurrentIndex(0);
        QCOMPARE(settings.readInt("Last", "MaxChar"), 200);
        QVERIFY(dialog.countAll());
        QCOMPARE(dialog.findChild<QTableWidget*>("characterList")->rowCount(), 200);
        QCOMPARE(ui.shownIds(), std::vector<int>{msg::CharTableFull});
    }

    void stoppedCountLeavesTheDialogAsItWas() {
        MemorySettingsStore settings;
        testing::ScriptedUi ui;
        LargeSlowSource large;
        CAppearanceDlg dialog(large, settings, ui);
        bool pressed = false;
        stopWhenTheProgressDialogShows(pressed);
        QVERIFY(!dialog.countAll());
        QVERIFY(pressed);
        QCOMPARE(dialog.findChild<QTableWidget*>("characterList")->rowCount(), 0);
        QVERIFY(dialog.findChild<QPlainTextEdit*>("codeTable")->toPlainText().isEmpty());
        QVERIFY(dialog.findChild<QLabel*>("totalBytes")->text().isEmpty());
        QVERIFY(ui.shown().empty());
        QVERIFY(!settings.isStored("Last", "MaxChar"));
    }

    void crcReportRunsFromTheReferencePointToTheClickedByte() {
        Program p;
        p.open("..........123456789");
        p.app.view().referencePoint = 10;
        ReportCrc(p.app, 18, nullptr);
        ReportCrc(p.app, 9, nullptr);
        ReportCrc(p.app, -1, nullptr);
        QCOMPARE(p.ui.shown().size(), 1u);
        QCOMPARE(QString::fromStdString(p.ui.shown()[0].text).section('\n', 0, 1),
                 QString("Address:\t0000000A - 00000012\nCRC:\tCB F4 39 26"));
    }

    void filesFromMarkersHoldTheirBytesInTableOrder() {
        Program p;
        std::string bytes(0x40, '\0');
        for (int i = 0; i < 0x40; ++i)
            bytes[i] = char(i);
        p.open(bytes);
        p.app.work().markers().append(0x10, 0x13, 0);
        p.app.work().markers().append(0x20, 0x21, 0);
        FolderRecorder recorder;
        const QString out = p.folder.filePath("out.bin");
        p.ui.chooseFile(out.toStdString()).answer(Yes);
        QVERIFY(createFileFromAllMarkers(p.app));
        QFile written(out);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), QByteArray("\x10\x11\x12\x13\x20\x21", 6));
        QCOMPARE(recorder.folders, QStringList{p.folder.path()});

        p.ui.chooseFile(out.toStdString()).answer(No);
        QVERIFY(createFileFromMarker(p.app, 1));
        QCOMPARE(QFileInfo(out).size(), 2);
        QVERIFY(!createFileFromMarker(p.app, -1));
    }

    void documentInfoShowsTheFilesAndQuotesMarkers() {
        Program p;
        p.open(std::string(1048576, 'x'));
        HeaderBlock header;
        MarkerTable table;
        table.append(30, 31, 0);
        table.append(3, 4, 0);
        const std::string other = p.folder.filePath("other.MKG").toStdString();
        QVERIFY(writeMarkerFile(other, header, table, false, p.ui));

        CProperty dialog(p.app);
        QCOMPARE(dialog.findChild<QLabel*>("dumpSize")->text(), QString("1,048,576 bytes"));
        QCOMPARE(dialog.findChild<QLineEdit*>("markerPath")->text(),
                 QString("[マーカファイル名未定義]"));
        QVERIFY(dialog.findChild<QPushButton*>("quoteButton")->toolTip().count('\n') == 2);

        p.ui.chooseFile(other);
        dialog.findChild<QPushButton*>("quoteButton")->click();
        QCOMPARE(p.app.work().markers().count(), 2);
        QCOMPARE(p.app.work().markers()[0].start, 3);
        QVERIFY(p.app.work().modified());
        QCOMPARE(p.app.title(), QString("[マーカファイル名未定義]"));

        const std::string small = p.file("small.bin", std::string(999, 'y'));
        p.ui.chooseFile(small);
        dialog.findChild<QPushButton*>("replaceDumpButton")->click();
        QCOMPARE(dialog.findChild<QLabel*>("dumpSize")->text(), QString("999 bytes"));
        QCOMPARE(dialog.findChild<QLineEdit*>("dumpPath")->text(), QString::fromStdString(small));
        QCOMPARE(p.app.work().markers().count(), 2);

        FolderRecorder recorder;
        dialog.findChild<QPushButton*>("dumpFolderButton")->click();
        dialog.findChild<QPushButton*>("markerFolderButton")->click();
        QCOMPARE(recorder.folders, (QStringList{p.folder.path(), QDir::homePath()}));
    }
    void folderOfAFileWhoseNameHoldsABackslashIsItsOwn() {
        // A backslash is a character of a Linux file name, not a separator.
        FolderRecorder recorder;
        testing::ScriptedUi ui;
        QVERIFY(ShowFolder("/tmp/a b/x\\y.txt", ui));
        QVERIFY(ShowFolder("/top.txt", ui));
        QCOMPARE(recorder.folders, (QStringList{"/tmp/a b", "/"}));
    }

    void documentInfoCommandOpensTheDialogWhileADumpFileIsOpen() {
        Program p;
        CMainFrame frame(p.app);
        frame.updateCommands();
        QVERIFY(!frame.commands().action(ID_DOC_INFO)->isEnabled());
        p.open("abc");
        frame.updateCommands();
        QVERIFY(frame.commands().action(ID_DOC_INFO)->isEnabled());
        QString shown;
        QTimer::singleShot(0, [&] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                shown = dialog->windowTitle();
                dialog->close();
            }
        });
        frame.commands().action(ID_DOC_INFO)->trigger();
        QCOMPARE(shown, QString("文書情報"));
    }
};

QTEST_MAIN(TestTools)
#include "tst_tools.moc"

#include "app/snapshot.h"
#include "app/startup.h"
#include "app/tormelapp.h"
#include "core/markerfile/markerfile.h"
#include "core/settings/memorysettings.h"
#include "core/text/sjis.h"
#include "core/viewmodel/commandids.h"
#include "core/workflow/recovery.h"
#include "filesizelimit.h"
#include "frame/commandtable.h"
#include "frame/mainframe.h"
#include "frame/mystatusbar.h"
#include "scriptedui.h"
#include "tempfolder.h"

#include <QToolTip>
#include <QtTest>

#include <filesystem>

using namespace byzel;

namespace {

// Answers like ScriptedUi, but lets the frame refresh while a question is open, as the events
// of a real modal box do.
class ModalUi : public testing::ScriptedUi {
public:
    CMainFrame* frame = nullptr;
    int showMessageBox(int messageId, const std::string& text, BoxStyle style) override {
        if (frame)
            frame->updateCommands();
        return ScriptedUi::showMessageBox(messageId, text, style);
    }
};

} // namespace

// Start-up from the command line and the settings, and the status bar that reports the work.
class TestStartup : public QObject {
    Q_OBJECT

    std::string markerFileFor(const testing::TempFolder& tmp, const std::string& name) {
        const std::string dump = tmp.write("dump.bin", std::string(100, 'x'));
        HeaderBlock header;
        [[maybe_unused]] bool stored = header.setDumpPath(dump);
        MarkerTable markers;
        markers.assign({MarkerRecord{}});
        testing::ScriptedUi quiet;
        writeMarkerFile(tmp.path(name), header, markers, false, quiet);
        return tmp.path(name);
    }

private slots:
    void folderOnTheCommandLineEndsTheProgram() {
        testing::TempFolder tmp;
        MemorySettingsStore settings;
        testing::ScriptedUi ui;
        CTormelApp app(settings, ui);
        QVERIFY(!prepareStart(app, {tmp.path()}));
        QCOMPARE(ui.shownIds(), std::vector<int>{msg::FolderRefused});
        QVERIFY(prepareStart(app, {}));
    }

    void commandLineOpensMarkerOrDumpFile() {
        testing::TempFolder tmp;
        MemorySettingsStore settings;
        testing::ScriptedUi ui;
        CTormelApp app(settings, ui);
        const std::string mkg = markerFileFor(tmp, "WITH BLANK.MKG");
        QVERIFY(openStartingWork(app, {mkg}));
        QCOMPARE(app.work().markerFilePath(), mkg);
        QCOMPARE(app.work().markers().count(), 1);

        // The first argument names the file.
        QVERIFY(openStartingWork(app, {tmp.path("dump.bin"), "extra"}));
        QVERIFY(app.work().isOpen());
        QVERIFY(app.work().isUnnamed());
        QCOMPARE(app.work().markers().count(), 0);
        QVERIFY(ui.shown().empty());

        const std::string longPath = tmp.path(std::string(300, 'a'));
        QVERIFY(!openStartingWork(app, {longPath}));
        QCOMPARE(ui.shownIds(), std::vector<int>{msg::PathTooLong});
    }

    void namesAreTakenAsTheShellPassedThem() {
        testing::TempFolder tmp;
        MemorySettingsStore settings;
        testing::ScriptedUi ui;
        CTormelApp app(settings, ui);
        // A decoy the name's text up to its quote would find.
        tmp.write("report", std::string(10, 'd'));
        const std::string quoted = tmp.write("report\" (copy).bin", std::string(100, 'x'));
        QVERIFY(openStartingWork(app, {quoted}));
        QVERIFY(app.work().isOpen());
        QCOMPARE(app.work().dump().size(), 100);
        QCOMPARE(app.work().header().storedPath(), std::string_view(quoted));

        const std::string sjis = tmp.write("\x83\x66\x81\x5B\x83\x5E.bin", std::string(77, 'x'));
        QVERIFY(openStartingWork(app, {sjis}));
        QVERIFY(app.work().isOpen());
        QCOMPARE(app.work().dump().size(), 77);
        QVERIFY(ui.shown().empty());
    }

    void snapshotWritesItsNameAndNeverHalfAFile() {
        testing::TempFolder tmp;
        SnapshotRequest request;
        request.size = QSize(400, 200);
        request.file = tmp.write("\x83\x66\x81\x5B\x83\x5E.bin", std::string(64, 'x'));
        request.outputPath = tmp.path("\x8F\x6F\x97\xCD.png");
        QCOMPARE(runSnapshot(request), 0);
        const auto png = testing::TempFolder::read(request.outputPath);
        QVERIFY(png.size() > 1024);
        QCOMPARE(png[1], std::uint8_t('P'));

        tmp.write("\x8F\x6F\x97\xCD.png", "earlier");
        {
            testing::FileSizeLimit limit(1024);
            QCOMPARE(runSnapshot(request), 1);
        }
        const auto kept = testing::TempFolder::read(request.outputPath);
        QCOMPARE(std::string(kept.begin(), kept.end()), std::string("earlier"));
        QCOMPARE(tmp.entries(),
                 (std::vector<std::string>{request.file.substr(tmp.path().size() + 1),
                                           "\x8F\x6F\x97\xCD.png"}));
    }

    void openLastAndRecentCleanup() {
        testing::TempFolder tmp;
        MemorySettingsStore settings;
        testing::ScriptedUi ui;
        settings.writeInt(section::Settings, "OpenLast", 1);
        {
            CTormelApp app(settings, ui);
            QVERIFY(openStartingWork(app, {}));
            QVERIFY(!app.work().isOpen());
            QVERIFY(ui.shown().empty());
        }
        const std::string mkg = markerFileFor(tmp, "last.mkg");
        settings.writeText(section::RecentFiles, "File1", mkg);
        settings.writeText(section::RecentFiles, "File2", tmp.path("dump.bin"));
        CTormelApp app(settings, ui);
        QVERIFY(prepareStart(app, {}));
        QCOMPARE(app.recentFiles().entries(), std::vector<std::string>{mkg});
        QVERIFY(openStartingWork(app, {}));
        QCOMPARE(app.work().markerFilePath(), mkg);
    }

    void sampleWorkOpensAsItWasSaved() {
        MemorySettingsStore settings;
        testing::ScriptedUi ui;
        CTormelApp app(settings, ui);
        QVERIFY(openStartingWork(app, {BYZEL_SAMPLE_DIR "/sample.mkg"}));
        QVERIFY(ui.shown().empty());
        QVERIFY(app.work().isOpen());
        QVERIFY(!app.work().modified());
        QCOMPARE(app.title(), QString("sample"));
        const MarkerTable& markers = app.work().markers();
        QVERIFY(markers.count() > 20);
        // The markers tile the whole file, each remark in Shift-JIS.
        QCOMPARE(markers[0].start, 0);
        QCOMPARE(int64_t{markers[markers.count() - 1].end} + 1, app.work().dump().size());
        for (int i = 1; i < markers.count(); ++i)
            QCOMPARE(markers[i].start, markers[i - 1].end + 1);
        QCOMPARE(QString::fromStdString(cp932ToUtf8(markers[0].remarkText())).left(4),
                 QString("RIFF"));
    }

    void failedLoadAtStartLeavesNoTraceInCommandsOrStatusBar() {
        testing::TempFolder tmp;
        const std::string mkg = markerFileFor(tmp, "moved.mkg");
        std::filesystem::remove(tmp.path("dump.bin"));
        MemorySettingsStore settings;
        ModalUi ui;
        ui.answer(No);
        CTormelApp app(settings, ui, QString::fromStdString(tmp.path()));
        CMainFrame frame(app);
        ui.frame = &frame;
        app.work().setMarkerFilePath(std::string(kUnnamedMarkerFile));
        QVERIFY(openStartingWork(app, {mkg}));
        QCOMPARE(ui.shownIds(), std::vector<int>{msg::AskLocateDumpFile});
        QVERIFY(!app.work().isOpen());

        // No pointer or key event: only the event loop, as when the program starts to run.
        QCoreApplication::processEvents();
        auto* status = qobject_cast<CMyStatusBar*>(frame.statusBar());
        QCOMPARE(status->paneText(0), QString("[マーカファイル名未定義]"));
        QCOMPARE(status->paneText(4), QString("0"));
        for (int id : {ID_DEL_ALL_MARK, ID_DSP_MARK, ID_MARK_MENT, ID_RENDOU, ID_MARKER_RED})
            QVERIFY2(!frame.commands().action(id)->isEnabled(), qPrintable(QString::number(id)));
    }

    void marginsAreKeptForTheNextRun() {
        MemorySettingsStore settings;
        testing::ScriptedUi ui;
        {
            CTormelApp app(settings, ui);
            QCOMPARE(app.printSettings().marginRight, 20);
            app.printSettings().marginTop = 17;
        }
        QCOMPARE(settings.readInt(section::Last, "MarginT"), 17);
    }

    void recoveryFilesAreToldOnceAndOnlyWhileTheyExist() {
        testing::TempFolder tmp;
        MemorySettingsStore settings;
        testing::ScriptedUi ui;
        CTormelApp app(settings, ui);
        const std::string kept = tmp.write("work.recovered.mkg", "markers");
        rememberRecoveryFile(settings, tmp.path("removed meanwhile.recovered.mkg"));
        rememberRecoveryFile(settings, kept);

        tellRecoveredMarkers(app);
        QCOMPARE(ui.shownIds(), std::vector<int>{msg::RecoveredMarkers});
        QCOMPARE(ui.shown()[0].text, kept + "\n" + std::string(stringText(msg::RecoveredMarkers)));
        QCOMPARE(ui.shown()[0].style, BoxStyle::Information);
        tellRecoveredMarkers(app);
        QCOMPARE(ui.shown().size(), std::size_t{1});
    }

    void statusBarReportsTheReferencePointAndExplainsItsPanes() {
        MemorySettingsStore settings;
        testing::ScriptedUi ui;
        CTormelApp app(settings, ui);
        CMyStatusBar bar(app);
        bar.resize(1600, 24);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        QCOMPARE(bar.paneText(0), QString("[マーカファイル名未定義]"));
        app.view().referencePoint = 0x1234;
        bar.refresh();
        QCOMPARE(bar.paneText(1), QString("292行"));
        QCOMPARE(bar.paneText(2), QString("5列"));
        QCOMPARE(bar.paneText(3), QString("00001234 (4660)"));

        auto centreOf = [&](int pane) {
            for (int x = 0; x < bar.width(); ++x)
                if (bar.paneAt({x, 12}) == pane)
                    return QPoint(x + 5, 12);
            return QPoint(-1, -1);
        };
        QTest::mouseMove(&bar, centreOf(2));
        QTRY_COMPARE(QToolTip::text(), QString("基準点の行"));
        QTest::mouseMove(&bar, centreOf(3));
        QTRY_COMPARE(QToolTip::text(), QString("基準点の列"));
        QTest::mouseMove(&bar, QPoint(5, 12));
        QTRY_VERIFY(!QToolTip::isVisible());

        bar.showHint("マーカをＷクリックするとプロパティを表示します");
        QCOMPARE(bar.hint(), QString("マーカをＷクリックするとプロパティを表示します"));
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"

#include "app/listingfont.h"
#include "app/printpdf.h"
#include "app/qsettingsstore.h"
#include "app/qtuiport.h"
#include "app/signalshutdown.h"
#include "app/snapshot.h"
#include "app/startup.h"
#include "app/terminationsignals.h"
#include "app/tormelapp.h"
#include "core/print/pagelayout.h"
#include "core/text/argumenttext.h"
#include "core/workflow/worktitle.h"
#include "frame/mainframe.h"
#include "view/tormelview.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTranslator>

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

namespace {

// A snapshot or a print to PDF needs no display: without one, render offscreen. Decided
// before the QApplication exists, which picks the platform.
void chooseSnapshotPlatform(int argc, char* argv[]) {
    bool snapshot = false;
    for (int i = 1; i < argc; ++i)
        snapshot = snapshot || std::strncmp(argv[i], "--snapshot", 10) == 0 ||
                   std::strncmp(argv[i], "--print-pdf", 11) == 0;
    const bool display = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
    if (snapshot && !display && !std::getenv("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// The arguments Qt left (it takes its own, such as -platform, out of argv), each as text that
// gives its bytes back exactly: file names need not be UTF-8.
QStringList argumentList(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.push_back(QString::fromStdU16String(byzel::argumentText(argv[i])));
    return arguments;
}

std::string bytesOf(const QString& argument) {
    return byzel::argumentBytes(argument.toStdU16String());
}

struct PrintPdfOptions {
    QCommandLineOption output{"print-pdf", "Print the dump list of FILE to a PDF and exit.",
                              "OUT.pdf"};
    QCommandLineOption range{"range", "Rows printed: all, page or pages.", "RANGE", "all"};
    QCommandLineOption pages{"pages", "Pages printed with --range pages (2-10).", "N", "5"};
    QCommandLineOption dumpOnly{"dump-only", "Print without the remark column."};
};

int printPdf(const QCommandLineParser& parser, const PrintPdfOptions& options,
             const QCommandLineOption& topOption, const std::vector<std::string>& files) {
    byzel::PrintPdfRequest request;
    request.outputPath = bytesOf(parser.value(options.output));
    const QString range = parser.value(options.range);
    request.range = range == "page"    ? byzel::ExportRange::CurrentPage
                    : range == "pages" ? byzel::ExportRange::FollowingPages
                                       : byzel::ExportRange::WholeFile;
    bool topOk = false;
    bool pagesOk = false;
    request.topRow = parser.value(topOption).toInt(&topOk);
    request.pageCount = parser.value(options.pages).toInt(&pagesOk);
    request.dumpOnly = parser.isSet(options.dumpOnly);
    const bool rangeOk = range == "all" || range == "page" || range == "pages";
    if (files.size() != 1 || !rangeOk || !topOk || request.topRow < 0 || !pagesOk ||
        request.pageCount < byzel::kMinPageCount || request.pageCount > byzel::kMaxPageCount) {
        std::cerr << "usage: byzel --print-pdf OUT.pdf [--range all|page|pages] [--top ROW] "
                     "[--pages N] [--dump-only] FILE\n";
        return 1;
    }
    request.file = files.front();
    return byzel::runPrintPdf(request);
}

} // namespace

int main(int argc, char* argv[]) {
    chooseSnapshotPlatform(argc, argv);
    QApplication application(argc, argv);
    QApplication::setOrganizationName("Veltran");
    QApplication::setApplicationName("Byzel");

    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption snapshotOption("snapshot", "Render FILE into a PNG and exit.",
                                            "OUT.png");
    const QCommandLineOption sizeOption("size", "Snapshot size.", "WxH", "1280x800");
    const QCommandLineOption topOption("top", "First row of the snapshot or of the printed page.",
                                       "ROW", "0");
    const PrintPdfOptions printOptions;
    parser.addOptions({snapshotOption, sizeOption, topOption, printOptions.output,
                       printOptions.range, printOptions.pages, printOptions.dumpOnly});
    parser.addPositionalArgument("FILE", "A marker file (.mkg) or a dump file.");
    parser.process(argumentList(argc, argv));
    std::vector<std::string> files;
    for (const auto& file : parser.positionalArguments())
        files.push_back(bytesOf(file));

    // Standard dialogs speak Japanese, like the rest of the program.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Japanese), "qtbase", "_",
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);
    byzel::installFontSubstitutions();

    if (parser.isSet(snapshotOption)) {
        byzel::SnapshotRequest request;
        request.outputPath = bytesOf(parser.value(snapshotOption));
        const QStringList size = parser.value(sizeOption).split('x');
        bool topOk = false;
        request.topRow = parser.value(topOption).toInt(&topOk);
        if (size.size() == 2)
            request.size = QSize(size[0].toInt(), size[1].toInt());
        if (files.size() != 1 || size.size() != 2 || !topOk || request.topRow < 0) {
            std::cerr << "usage: byzel --snapshot OUT.png [--size WxH] [--top ROW] FILE\n";
            return 1;
        }
        request.file = files.front();
        return byzel::runSnapshot(request);
    }

    if (parser.isSet(printOptions.output))
        return printPdf(parser, printOptions, topOption, files);

    byzel::QSettingsStore settings;
    byzel::QtUiPort ui;
    byzel::CTormelApp app(settings, ui);
    byzel::reclaimStaleWorkFolders(byzel::temporaryRoot());
    byzel::SignalShutdown shutdown(
        app,
        QFile::encodeName(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
            .toStdString(),
        byzel::endBySignal);
    byzel::watchTerminationSignals(application,
                                   [&shutdown](int signal) { shutdown.onSignal(signal); });
    if (!byzel::prepareStart(app, files))
        return 0;
    byzel::CMainFrame frame(app);
    ui.setFallbackOwner(&frame);

    app.work().setMarkerFilePath(std::string(byzel::kUnnamedMarkerFile));
    app.work().setModified(false);
    frame.showAtStart();
    if (!byzel::openStartingWork(app, files))
        return 0;
    byzel::tellRecoveredMarkers(app);
    return QApplication::exec();
}

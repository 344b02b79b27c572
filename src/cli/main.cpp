#include "cli/commands.h"
#include "core/text/argumenttext.h"
#include "core/ui/consoleui.h"

#include <QCoreApplication>

#include <cstdio>

using namespace byzel::cli;

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("byzel-cli");
    QCoreApplication::setApplicationVersion(QStringLiteral(BYZEL_VERSION));
    byzel::ConsoleUi ui("byzel-cli");

    // Each argument as text that gives its bytes back exactly: file names need not be UTF-8.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.push_back(QString::fromStdU16String(byzel::argumentText(argv[i])));
    const QString command = arguments.size() > 1 ? arguments[1] : QString();
    if (command == "-h" || command == "--help" || command == "help") {
        std::fputs(overviewHelp().toLocal8Bit().constData(), stdout);
        return Done;
    }
    if (command == "--version") {
        std::printf("byzel-cli %s\n", BYZEL_VERSION);
        return Done;
    }

    // The command's own arguments, named after it for its help text.
    arguments.removeFirst();
    if (!arguments.isEmpty())
        arguments.first() = "byzel-cli " + command;
    if (command == "dump")
        return runDump(arguments, ui);
    if (command == "markers")
        return runMarkers(arguments, ui);
    if (command == "import-markers")
        return runImportMarkers(arguments, ui);
    if (command == "crc")
        return runCrc(arguments, ui);
    if (command == "count")
        return runCount(arguments, ui);
    if (command == "search")
        return runSearch(arguments, ui);
    if (command == "replace")
        return runReplace(arguments, ui);
    if (command == "values")
        return runValues(arguments, ui);
    if (command == "export-ksy")
        return runExportKsy(arguments, ui);

    ui.error(command.isEmpty() ? std::string("no command given")
                               : "unknown command \"" + command.toStdString() + "\"");
    std::fputs("Usage: byzel-cli "
               "dump|markers|import-markers|crc|count|search|replace|values|export-ksy ... "
               "(byzel-cli --help tells more)\n",
               stderr);
    return Refused;
}

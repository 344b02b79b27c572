#pragma once

#include <QStringList>

namespace byzel {
class ConsoleUi;
}

namespace byzel::cli {

// Exit statuses of the tool.
enum ExitStatus : int {
    Done = 0,
    FileFailed = 1, // a file could not be read or written, or the output exists without --force
    Refused = 2,    // the command line or the input was refused; nothing was written
};

// Each command takes its own arguments, the first being the name it is called by
// ("byzel-cli dump"), and returns the exit status.
int runDump(const QStringList& arguments, ConsoleUi& ui);
int runMarkers(const QStringList& arguments, ConsoleUi& ui);
int runImportMarkers(const QStringList& arguments, ConsoleUi& ui);
int runCrc(const QStringList& arguments, ConsoleUi& ui);
int runCount(const QStringList& arguments, ConsoleUi& ui);
int runSearch(const QStringList& arguments, ConsoleUi& ui);
int runReplace(const QStringList& arguments, ConsoleUi& ui);
int runValues(const QStringList& arguments, ConsoleUi& ui);
int runExportKsy(const QStringList& arguments, ConsoleUi& ui);

// The overview of every command, for "byzel-cli --help".
[[nodiscard]] QString overviewHelp();

} // namespace byzel::cli

#pragma once

#include "core/ui/consoleui.h"

#include <QCommandLineParser>

#include <optional>
#include <string>

namespace byzel::cli {

// Parses a command's arguments. Returns the exit status when the command should end here:
// after printing its help (Done) or after refusing the command line (Refused). positional
// is the number of file arguments the command takes.
[[nodiscard]] std::optional<int> parseCommandLine(QCommandLineParser& parser,
                                                  const QStringList& arguments, int positional,
                                                  ConsoleUi& ui);

// A file argument as the bytes it was given as, made absolute. The arguments come as
// argumentText made them.
[[nodiscard]] std::string filePathArgument(const QString& argument);

// Whether two paths name the same existing file.
[[nodiscard]] bool sameFile(const std::string& a, const std::string& b);

} // namespace byzel::cli

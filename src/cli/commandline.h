#pragma once

#include "core/ui/consoleui.h"

#include <QCommandLineParser>

#include <optional>
#include <string>
#include <vector>

namespace byzel::cli {

// Parses a command's arguments. Returns the exit status when the command should end here:
// after printing its help (Done) or after refusing the command line (Refused). positional
// is the number of file arguments the command takes, or the least number with orMore.
[[nodiscard]] std::optional<int> parseCommandLine(QCommandLineParser& parser,
                                                  const QStringList& arguments, int positional,
                                                  ConsoleUi& ui, bool orMore = false);

// A file argument as the bytes it was given as, made absolute. The arguments come as
// argumentText made them.
[[nodiscard]] std::string filePathArgument(const QString& argument);

// A number argument: decimal, or hexadecimal after "0x".
[[nodiscard]] std::optional<long long> numberArgument(const QString& text);

// Bytes given as hexadecimal digit pairs, between minBytes and maxBytes of them; refused with
// a message naming the argument otherwise.
[[nodiscard]] std::optional<std::vector<std::uint8_t>> hexArgument(const QString& text,
                                                                   std::size_t minBytes,
                                                                   std::size_t maxBytes,
                                                                   const char* name, ConsoleUi& ui);

// Whether two paths name the same existing file.
[[nodiscard]] bool sameFile(const std::string& a, const std::string& b);

} // namespace byzel::cli

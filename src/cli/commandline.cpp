#include "cli/commandline.h"

#include "cli/commands.h"
#include "core/search/hextext.h"
#include "core/text/argumenttext.h"

#include <cstdio>
#include <filesystem>
#include <sys/stat.h>

namespace byzel::cli {

std::optional<int> parseCommandLine(QCommandLineParser& parser, const QStringList& arguments,
                                    int positional, ConsoleUi& ui, bool orMore) {
    const QCommandLineOption help({"h", "help"}, "Shows this help.");
    parser.addOption(help);
    if (!parser.parse(arguments)) {
        ui.error(parser.errorText().toStdString() + " (see --help)");
        return Refused;
    }
    if (parser.isSet(help)) {
        // Qt names the program by its full path; the usage line reads better with the command.
        QString text = parser.helpText();
        const auto options = text.indexOf(" [options]");
        if (text.startsWith("Usage: ") && options > 0)
            text.replace(7, options - 7, arguments.first());
        if (!text.endsWith('\n'))
            text += '\n';
        std::fputs(text.toLocal8Bit().constData(), stdout);
        return Done;
    }
    const auto given = parser.positionalArguments().size();
    if (orMore ? given < positional : given != positional) {
        ui.error(std::string("expected ") + (orMore ? "at least " : "") +
                 std::to_string(positional) + " file argument" + (positional == 1 ? "" : "s") +
                 ", got " + std::to_string(parser.positionalArguments().size()) + " (see --help)");
        return Refused;
    }
    return std::nullopt;
}

std::string filePathArgument(const QString& argument) {
    const std::string path = argumentBytes(argument.toStdU16String());
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(path, ec);
    return ec ? path : absolute.lexically_normal().string();
}

std::optional<long long> numberArgument(const QString& text) {
    bool ok = false;
    const long long n = text.startsWith("0x", Qt::CaseInsensitive) ? text.mid(2).toLongLong(&ok, 16)
                                                                   : text.toLongLong(&ok, 10);
    return ok ? std::optional(n) : std::nullopt;
}

std::optional<std::vector<std::uint8_t>> hexArgument(const QString& text, std::size_t minBytes,
                                                     std::size_t maxBytes, const char* name,
                                                     ConsoleUi& ui) {
    auto bytes = parseHexBytes(text.toStdString());
    if (bytes && bytes->size() >= minBytes && bytes->size() <= maxBytes)
        return bytes;
    ui.error(std::string(name) + " takes " + std::to_string(minBytes) + " to " +
             std::to_string(maxBytes) + " bytes as hexadecimal digit pairs, not \"" +
             text.toStdString() + "\"");
    return std::nullopt;
}

bool sameFile(const std::string& a, const std::string& b) {
    struct stat sa, sb;
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

} // namespace byzel::cli

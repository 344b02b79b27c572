#include "cli/commandline.h"
#include "cli/commands.h"
#include "cli/filesource.h"

#include "core/search/patternsearch.h"

#include <cstdio>

namespace byzel::cli {

int runSearch(const QStringList& arguments, ConsoleUi& ui) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Finds the bytes HEX in FILE and prints where they start, as a decimal offset.\n"
        "\n"
        "HEX is 1 to 12 bytes as hexadecimal digit pairs, blanks between bytes allowed\n"
        "(\"41 42 43\" or 414243). The search compares bytes, so capitals and small letters of\n"
        "a text differ. Without --up the first place at or after --from is printed; with --up\n"
        "the first at or before it, going toward the start of the file. --all prints every\n"
        "place from the start, one per line, overlapping places included (AA AA in AA AA AA\n"
        "gives 0 and 1). Offsets may be decimal or hexadecimal with \"0x\".\n"
        "\n"
        "Exit status: 0 found, 1 not found or the file could not be read, 2 the command line\n"
        "was refused.");
    parser.addPositionalArgument("FILE", "The file to search.");
    parser.addPositionalArgument("HEX", "The bytes to find.");
    const QCommandLineOption from("from", "Where to start (default 0).", "OFFSET");
    const QCommandLineOption up("up", "Search toward the start of the file.");
    const QCommandLineOption all("all", "Print every place the bytes are found.");
    parser.addOptions({from, up, all});
    if (auto status = parseCommandLine(parser, arguments, 2, ui))
        return *status;

    const auto pattern = hexArgument(parser.positionalArguments()[1], 1, 12, "HEX", ui);
    if (!pattern)
        return Refused;
    std::optional<long long> start = 0;
    if (parser.isSet(from) && (!(start = numberArgument(parser.value(from))) || *start < 0)) {
        ui.error("--from takes an offset of 0 or more, not \"" + parser.value(from).toStdString() +
                 "\"");
        return Refused;
    }
    if (parser.isSet(all) && (parser.isSet(up) || parser.isSet(from))) {
        ui.error("--all lists the whole file; it goes without --up and --from");
        return Refused;
    }

    const std::string file = filePathArgument(parser.positionalArguments().front());
    FileSource source;
    if (auto status = openFileArgument(source, file, ui))
        return *status;
    // Offsets beyond the file hold nothing to find.
    const auto first = static_cast<Offset>(std::min<long long>(*start, source.size()));
    const SearchDirection direction =
        parser.isSet(up) ? SearchDirection::Up : SearchDirection::Down;
    std::optional<Offset> hit = findPattern(source, *pattern, first, direction, {});
    const bool found = hit.has_value();
    while (hit) {
        std::printf("%d\n", *hit);
        hit = parser.isSet(all) ? findPattern(source, *pattern, *hit + 1, direction, {})
                                : std::nullopt;
    }
    if (std::fflush(stdout) != 0 || source.readFailed()) {
        ui.error(file + (source.readFailed() ? ": reading failed" : ": output failed"));
        return FileFailed;
    }
    return found ? Done : FileFailed;
}

} // namespace byzel::cli

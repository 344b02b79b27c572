#include "cli/commandline.h"
#include "cli/commands.h"
#include "cli/filesource.h"

#include "core/text/messages.h"
#include "core/text/sjis.h"
#include "core/tools/crcreport.h"
#include "core/tools/occurrences.h"

#include <cstdio>
#include <optional>

namespace byzel::cli {
namespace {

constexpr int kDefaultCapacity = 4000;

// The character of a row as a terminal can show it: control characters become ".".
std::string printableCharacter(std::uint16_t code) {
    if (code < 0x20 || code == 0x7F)
        return ".";
    return cp932ToUtf8(characterBytes(code));
}

void put(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
}

} // namespace

int runCrc(const QStringList& arguments, ConsoleUi& ui) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Reports the CRC-32 (as zip and PNG compute it) of the bytes START to END of FILE, both\n"
        "included, in the program's report form:\n"
        "  Address:<TAB>0000000A - 00000012\n"
        "  CRC:<TAB>CB F4 39 26\n"
        "Offsets may be decimal or hexadecimal with \"0x\".\n"
        "\n"
        "Exit status: 0 done, 1 FILE could not be read, 2 the command line was refused (END\n"
        "before START or past the end of FILE).");
    parser.addPositionalArgument("FILE", "The file.");
    parser.addPositionalArgument("START", "Offset of the first byte.");
    parser.addPositionalArgument("END", "Offset of the last byte.");
    if (auto status = parseCommandLine(parser, arguments, 3, ui))
        return *status;

    const QStringList values = parser.positionalArguments();
    const auto start = numberArgument(values[1]);
    const auto end = numberArgument(values[2]);
    if (!start || *start < 0 || !end || *end < 0) {
        ui.error("START and END are offsets of 0 or more, decimal or hexadecimal with \"0x\"");
        return Refused;
    }
    if (*end < *start) {
        ui.error("END " + std::to_string(*end) + " is before START " + std::to_string(*start));
        return Refused;
    }
    const std::string file = filePathArgument(values[0]);
    FileSource source;
    if (auto status = openFileArgument(source, file, ui))
        return *status;
    if (*end >= source.size()) {
        ui.error("END " + std::to_string(*end) + " is past the last byte of " + file + ", " +
                 std::to_string(source.size() - 1));
        return Refused;
    }
    const auto first = static_cast<Offset>(*start);
    const auto last = static_cast<Offset>(*end);
    const auto crc = crcOfRange(source, first, last);
    if (!crc) {
        showMessage(ui, msg::ReadFailed, file + "\n");
        return FileFailed;
    }
    put(crcReportText(first, last, *crc));
    return Done;
}

int runCount(const QStringList& arguments, ConsoleUi& ui) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Counts how often each character of FILE occurs, read as Shift-JIS text, and how often\n"
        "each byte value occurs, as the program's occurrence counter shows them.\n"
        "\n"
        "First one line per character, most frequent first (equal counts in the order the\n"
        "characters first occur): the count, the character (UTF-8; control characters as \".\"),\n"
        "its code as 0x%04X and in decimal, separated by tabs. CR and LF are no characters.\n"
        "Then a blank line, the 16 x 16 table of byte value counts and the total in brackets.\n"
        "\n"
        "--type chooses the characters counted: 0 all, 1 double-byte, 2 single-byte, 3 the\n"
        "letters A-Z and a-z, 4 kanji (double-byte from 0x889F). --max is the number of\n"
        "distinct characters listed at most (the first ones met); when it is reached a note\n"
        "says so.\n"
        "\n"
        "Exit status: 0 done, 1 FILE could not be read, 2 the command line was refused.");
    parser.addPositionalArgument("FILE", "The file.");
    const QCommandLineOption type("type", "Characters counted, 0 to 4 (default 0).", "N");
    const QCommandLineOption max("max", "Distinct characters at most (default 4000).", "N");
    parser.addOptions({type, max});
    if (auto status = parseCommandLine(parser, arguments, 1, ui))
        return *status;

    std::optional<long long> filter = 0, capacity = kDefaultCapacity;
    if (parser.isSet(type) &&
        (!(filter = numberArgument(parser.value(type))) || *filter < 0 || *filter > 4)) {
        ui.error("--type takes 0 to 4, not \"" + parser.value(type).toStdString() + "\"");
        return Refused;
    }
    if (parser.isSet(max) &&
        (!(capacity = numberArgument(parser.value(max))) || *capacity < 1 || *capacity > 65536)) {
        ui.error("--max takes 1 to 65536, not \"" + parser.value(max).toStdString() + "\"");
        return Refused;
    }

    const std::string file = filePathArgument(parser.positionalArguments().front());
    FileSource source;
    if (auto status = openFileArgument(source, file, ui))
        return *status;
    const auto counts = countOccurrences(source);
    if (!counts) {
        showMessage(ui, msg::ReadFailed, file + "\n");
        return FileFailed;
    }
    const CharacterTable table =
        characterTable(*counts, static_cast<int>(*filter), static_cast<int>(*capacity));
    if (table.full)
        showMessage(ui, msg::CharTableFull, {}, BoxStyle::Information);
    std::string out;
    for (const CharacterRow& row : table.rows)
        out += countText(row.count) + "\t" + printableCharacter(row.code) + "\t" +
               codeText(row.code) + "\t" + decimalText(row.code) + "\n";
    std::string codeTable = codeTableText(counts->byteCounts());
    for (auto at = codeTable.find("\r\n"); at != std::string::npos; at = codeTable.find("\r\n", at))
        codeTable.erase(at, 1);
    out += "\n" + codeTable + totalText(counts->totalBytes()) + "\n";
    put(out);
    return Done;
}

} // namespace byzel::cli

#include "cli/commandline.h"
#include "cli/commandoutput.h"
#include "cli/commands.h"
#include "cli/filesource.h"
#include "cli/markervalues.h"
#include "cli/readfile.h"
#include "cli/valuesformat.h"
#include "cli/workdumpfile.h"

#include "core/dumpfile/replacingfile.h"
#include "core/markerfile/markerfile.h"
#include "core/text/argumenttext.h"
#include "core/text/sjis.h"
#include "core/ui/consoleui.h"

#include <vector>

namespace byzel::cli {
namespace {

enum class ValuesFormat { Csv, Json };

// A file to read and the name its rows carry: as given on the command line, in UTF-8.
struct ValuesInput {
    std::string path;
    std::string shownName;
};

std::string shownName(const std::string& bytes) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())).toStdString();
}

// Writes the rows of every marker in one file. False when the output failed.
bool writeRows(const MarkerTable& markers, const std::vector<std::string>& remarks,
               const FileSource& source, const std::string& name, ValuesFormat format,
               bool& firstRow, CommandOutput& output) {
    ValueRow row;
    row.file = name;
    for (int i = 0; i < markers.count(); ++i) {
        const MarkerRecord& marker = markers[i];
        const MarkerReading reading = readMarker(source, marker);
        row.number = i + 1;
        row.start = marker.start;
        row.end = marker.end;
        row.length = marker.byteCount();
        row.remark = remarks[static_cast<std::size_t>(i)];
        row.status = statusName(reading.status);
        row.hex = hexColumn(reading);
        row.littleEndian = littleEndianValue(reading, row.length);
        row.bigEndian = bigEndianValue(reading, row.length);
        row.text = textColumn(reading);
        const bool written = format == ValuesFormat::Csv
                                 ? output.write(csvRecord(row))
                                 : output.write((firstRow ? "\n" : ",\n") + jsonObject(row));
        firstRow = false;
        if (!written)
            return false;
    }
    return true;
}

} // namespace

int runValues(const QStringList& arguments, ConsoleUi& ui) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Applies the markers of WORK.mkg to each FILE (without FILE: the work's own dump file)\n"
        "and writes one row per marker and file, to check a guess about a format against many\n"
        "sample files.\n"
        "\n"
        "Rows come file by file, markers in offset order, numbered as the program numbers them.\n"
        "Columns: number (the marker number), start, end (inclusive), length, remark, file (as\n"
        "given), status, hex, le, be, text. hex holds the marker's first 32 bytes as\n"
        "hexadecimal pairs, followed by \" ...\" when the marker is longer; text holds the same\n"
        "first 32 bytes read as Shift-JIS, control characters as spaces, a double-byte\n"
        "character cut at the 32nd byte left out. le and be are the unsigned value of a marker\n"
        "of 1 to 8 bytes in little- and big-endian order (empty, or null in JSON, otherwise).\n"
        "status is \"ok\"; \"short\" when the marker reaches past the end of the file (the\n"
        "bytes that exist are shown, no value); \"invalid\" for a marker with a negative start\n"
        "or an end before its start.\n"
        "\n"
        "CSV (the default) follows RFC 4180: UTF-8, a header row, CR LF line ends, fields\n"
        "quoted when they hold a quote, comma or line break. JSON is an array of one object\n"
        "per row, one per line; a value of 2^63 or more comes as a string of digits. Numbers\n"
        "are decimal. Files are read one after another, and of each marker only its first\n"
        "bytes, so any number of large files can be given.\n"
        "\n"
        "A file that cannot be read is named on standard error and the others still come out.\n"
        "\n"
        "Exit status: 0 done, 1 a file could not be read or written (or OUT exists without\n"
        "--force), 2 the command line was refused.");
    parser.addPositionalArgument("WORK.mkg", "The marker file.");
    parser.addPositionalArgument("FILE", "Files to apply the markers to.", "[FILE...]");
    const QCommandLineOption format("format", "csv or json (default csv).", "FORMAT");
    const QCommandLineOption output({"o", "output"}, "Write to OUT instead of standard output.",
                                    "OUT");
    const QCommandLineOption force("force", "Overwrite OUT when it exists.");
    parser.addOptions({format, output, force});
    if (auto status = parseCommandLine(parser, arguments, 1, ui, true))
        return *status;

    ValuesFormat chosenFormat = ValuesFormat::Csv;
    if (parser.isSet(format)) {
        const QString name = parser.value(format);
        if (name == "json")
            chosenFormat = ValuesFormat::Json;
        else if (name != "csv") {
            ui.error("--format takes csv or json, not \"" + name.toStdString() + "\"");
            return Refused;
        }
    }

    const QStringList positional = parser.positionalArguments();
    const std::string work = filePathArgument(positional.front());
    const std::string out = parser.isSet(output) ? filePathArgument(parser.value(output)) : "";
    if (isFolder(work)) {
        ui.error(work + ": is a folder, not a marker file");
        return FileFailed;
    }
    HeaderBlock header;
    MarkerTable markers;
    if (!readMarkerFile(work, header, markers, ui))
        return FileFailed;
    if (!markers.isSorted())
        markers.SortMarkPosition(markers.count());

    std::vector<ValuesInput> inputs;
    FileSource source;
    if (positional.size() == 1) {
        if (!openDumpOfMarkerFile(header, work, source, ui))
            return FileFailed;
        inputs.push_back({source.readingPath(), shownName(source.readingPath())});
    }
    for (qsizetype i = 1; i < positional.size(); ++i)
        inputs.push_back({filePathArgument(positional[i]),
                          shownName(argumentBytes(positional[i].toStdU16String()))});

    if (!out.empty()) {
        for (const auto& input : inputs)
            if (sameFile(out, input.path) || sameFile(out, work)) {
                ui.error(out + ": is a file being read; choose another output");
                return Refused;
            }
        if (!parser.isSet(force) && nameTaken(out)) {
            ui.error(out + ": exists; add --force to overwrite it");
            return FileFailed;
        }
    }

    std::vector<std::string> remarks;
    remarks.reserve(static_cast<std::size_t>(markers.count()));
    for (const MarkerRecord& marker : markers.records())
        remarks.push_back(cp932ToUtf8(marker.remarkText()));

    CommandOutput sink;
    if (!sink.open(out, ui))
        return FileFailed;
    sink.write(chosenFormat == ValuesFormat::Csv ? csvHeader() : "[");
    bool everyFileRead = true;
    bool firstRow = true;
    for (const auto& input : inputs) {
        // The work's own dump file is open already.
        if (source.readingPath() != input.path && openFileArgument(source, input.path, ui)) {
            everyFileRead = false;
            continue;
        }
        if (!writeRows(markers, remarks, source, input.shownName, chosenFormat, firstRow, sink))
            break;
        if (source.readFailed()) {
            ui.error(input.path + ": reading the file failed; its rows are incomplete");
            everyFileRead = false;
        }
    }
    if (chosenFormat == ValuesFormat::Json)
        sink.write(firstRow ? "]\n" : "\n]\n");
    if (!sink.finish(ui))
        return FileFailed;
    return everyFileRead ? Done : FileFailed;
}

} // namespace byzel::cli

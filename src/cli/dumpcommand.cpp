#include "cli/commandline.h"
#include "cli/commands.h"
#include "cli/filesource.h"
#include "cli/listingencoding.h"
#include "cli/readfile.h"
#include "cli/workdumpfile.h"

#include "core/dumpfile/replacingfile.h"
#include "core/dumplist/dumpexport.h"
#include "core/dumplist/dumplistfile.h"
#include "core/markerfile/markerfile.h"
#include "core/viewmodel/viewgeometry.h"

#include <filesystem>
#include <unistd.h>

namespace byzel::cli {

int runDump(const QStringList& arguments, ConsoleUi& ui) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Writes the dump list of FILE as text: per row of 16 bytes the address, the bytes in\n"
        "hexadecimal and the same bytes as Shift-JIS text, exactly the bytes the program's text\n"
        "export writes (Shift-JIS, CR LF line ends, one header and rule line at the top).\n"
        "\n"
        "FILE is any file, or a .mkg marker file: then the marker file's dump file is listed and\n"
        "the marker remarks stand in the remark column, as in the program. A dump file that is\n"
        "no longer where the marker file says is looked for by its name in the SampleData\n"
        "folder beside byzel-cli, then beside the marker file.\n"
        "\n"
        "On a terminal the list comes in UTF-8, so that Japanese text cells and remarks are\n"
        "readable, with every column where it is in the export (a double-byte character is two\n"
        "columns; a cell that holds no character shows as \".\"). Control characters cannot\n"
        "reach the terminal: in the text column they show as \".\", in remarks in caret\n"
        "notation (\"^[\" for ESC). Files and pipes get the export's Shift-JIS bytes as they\n"
        "are. --encoding chooses either form wherever the list goes.\n"
        "\n"
        "Without --top and --rows the whole file is listed. Rows are counted from 0; row R holds\n"
        "the bytes from offset R x 16 on. Numbers may be decimal or hexadecimal with \"0x\".\n"
        "When the marker file has linked scrolling on, a listing that starts at --top begins its\n"
        "remark column with the first marker that starts on the listed rows, as the program's\n"
        "view does; otherwise the remark column starts with marker 1.\n"
        "\n"
        "Exit status: 0 done, 1 a file could not be read or written (or OUT exists without\n"
        "--force), 2 the command line was refused.");
    parser.addPositionalArgument("FILE", "The dump file, or a .mkg marker file.");
    const QCommandLineOption top("top", "First row to list (default 0).", "ROW");
    const QCommandLineOption rows("rows", "Number of rows to list (default: to the end).", "N");
    const QCommandLineOption dumpOnly("dump-only", "Leave out the remark column.");
    const QCommandLineOption output({"o", "output"}, "Write to OUT instead of standard output.",
                                    "OUT");
    const QCommandLineOption force("force", "Overwrite OUT when it exists.");
    const QCommandLineOption encoding(
        "encoding", "sjis or utf-8 (default: utf-8 on a terminal, else sjis).", "ENC");
    parser.addOptions({top, rows, dumpOnly, output, force, encoding});
    if (auto status = parseCommandLine(parser, arguments, 1, ui))
        return *status;

    std::optional<long long> firstRow, rowCount;
    if (parser.isSet(top) && (!(firstRow = numberArgument(parser.value(top))) || *firstRow < 0)) {
        ui.error("--top takes a row number of 0 or more, not \"" + parser.value(top).toStdString() +
                 "\"");
        return Refused;
    }
    if (parser.isSet(rows) && (!(rowCount = numberArgument(parser.value(rows))) || *rowCount < 1)) {
        ui.error("--rows takes a number of rows of 1 or more, not \"" +
                 parser.value(rows).toStdString() + "\"");
        return Refused;
    }

    std::optional<ListingEncoding> chosenEncoding;
    if (parser.isSet(encoding) &&
        !(chosenEncoding = listingEncodingNamed(parser.value(encoding).toStdString()))) {
        ui.error("--encoding takes sjis or utf-8, not \"" + parser.value(encoding).toStdString() +
                 "\"");
        return Refused;
    }

    const std::string file = filePathArgument(parser.positionalArguments().front());
    const std::string out = parser.isSet(output) ? filePathArgument(parser.value(output)) : "";
    ui.allowOverwrite(parser.isSet(force));

    if (isFolder(file)) {
        ui.error(file + ": is a folder; dump lists a file");
        return FileFailed;
    }

    HeaderBlock header;
    MarkerTable markers;
    FileSource source;
    if (isMarkerFile(file)) {
        if (!readMarkerFile(file, header, markers, ui) ||
            !openDumpOfMarkerFile(header, file, source, ui))
            return FileFailed;
        if (!markers.isSorted())
            markers.SortMarkPosition(markers.count());
    } else {
        if (auto status = openFileArgument(source, file, ui))
            return *status;
    }

    const std::int64_t totalRows = source.totalRows();
    if (firstRow && *firstRow >= totalRows) {
        ui.error("--top " + std::to_string(*firstRow) + " is past the last row, " +
                 std::to_string(totalRows - 1));
        return Refused;
    }
    if (!out.empty()) {
        if (sameFile(out, file) || sameFile(out, source.readingPath())) {
            ui.error(out + ": is the file being listed; choose another output");
            return Refused;
        }
        if (!parser.isSet(force) && nameTaken(out)) {
            ui.error(out + ": exists; add --force to overwrite it");
            return FileFailed;
        }
    }

    // Whole file unless a part was asked for; a part is one "page" of the export.
    Offset topRow = firstRow ? static_cast<Offset>(*firstRow) : 0;
    const bool whole = !firstRow && !rowCount;
    const int pageRows = static_cast<int>(
        std::min<long long>(rowCount.value_or(totalRows - topRow), totalRows - topRow));
    int remarkColumnStart = 0;
    if (firstRow && header.linkedScrollingOn())
        remarkColumnStart = SyncRemarkColumn(markers, topRow, pageRows).value_or(0);

    // A terminal gets readable text that cannot drive it; files and pipes the export's bytes.
    const bool toTerminal = out.empty() && ::isatty(STDOUT_FILENO) == 1;
    const ListingEncoding listingEncoding =
        chosenEncoding.value_or(toTerminal ? ListingEncoding::Utf8 : ListingEncoding::ShiftJis);
    ListingRecoder recoder(listingEncoding, toTerminal);
    const bool recoded = listingEncoding != ListingEncoding::ShiftJis || toTerminal;

    const DumpListData data{source, markers, remarkColumnStart};
    const ExportRange range = whole ? ExportRange::WholeFile : ExportRange::CurrentPage;
    bool written = false;
    if (out.empty()) {
        DumpListFile stdoutFile;
        if (recoded)
            stdoutFile.recodeRowsWith(&recoder);
        written =
            stdoutFile.attach(STDOUT_FILENO) &&
            WriteDumpListText(stdoutFile, range, 1, pageRows, parser.isSet(dumpOnly), data, topRow);
        if (!written)
            showMessage(ui, msg::WriteFailed);
    } else {
        written = ExportDumpListText(out, range, 1, pageRows, parser.isSet(dumpOnly), data, topRow,
                                     ui, recoded ? &recoder : nullptr);
    }
    if (source.readFailed()) {
        ui.error(file + ": reading the dump file failed; the list is incomplete");
        return FileFailed;
    }
    return written ? Done : FileFailed;
}

} // namespace byzel::cli

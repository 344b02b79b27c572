#include "cli/commandline.h"
#include "cli/commandoutput.h"
#include "cli/commands.h"
#include "cli/filesource.h"
#include "cli/ksydescription.h"
#include "cli/readfile.h"
#include "cli/workdumpfile.h"

#include "core/dumpfile/replacingfile.h"
#include "core/markerfile/markerfile.h"
#include "core/ui/consoleui.h"

#include <QFileInfo>

namespace byzel::cli {
namespace {

// The dump file's extension, lowercase, as the description's file extension.
std::string extensionOf(const std::string& path) {
    return QFileInfo(QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size())))
        .suffix()
        .toLower()
        .toStdString();
}

} // namespace

int runExportKsy(const QStringList& arguments, ConsoleUi& ui) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Writes the markers of WORK.mkg as a Kaitai Struct description (.ksy, YAML, UTF-8), so\n"
        "that other programs can parse files of the format the markers explain.\n"
        "\n"
        "meta holds the id (made from the marker file's name, or --id), the file extension of\n"
        "the dump file, the byte order (--endian, default le) and the text encoding SJIS. seq\n"
        "holds, in offset order, a field marker_N of the marker's length for every marker N,\n"
        "with its remark as doc; a field gap_N for the unmarked bytes before marker N; and a\n"
        "last field rest with the remaining bytes of the file.\n"
        "\n"
        "The dump file must be found (where the marker file says, else by its name in the\n"
        "SampleData folder beside byzel-cli, then beside the marker file): markers wholly past\n"
        "its end are left out, with a note on standard error, as are markers a damaged marker\n"
        "file holds with a negative start, an end before the start or shared bytes.\n"
        "\n"
        "Exit status: 0 done, 1 a file could not be read or written (or OUT exists without\n"
        "--force), 2 the command line was refused.");
    parser.addPositionalArgument("WORK.mkg", "The marker file.");
    const QCommandLineOption output({"o", "output"}, "Write to OUT instead of standard output.",
                                    "OUT.ksy");
    const QCommandLineOption id("id",
                                "The description's id (lowercase letters, digits and "
                                "underscores, starting with a letter).",
                                "NAME");
    const QCommandLineOption endian("endian", "le or be (default le).", "ORDER");
    const QCommandLineOption force("force", "Overwrite OUT when it exists.");
    parser.addOptions({output, id, endian, force});
    if (auto status = parseCommandLine(parser, arguments, 1, ui))
        return *status;

    KsyHeader header;
    if (parser.isSet(endian)) {
        const QString order = parser.value(endian);
        if (order != "le" && order != "be") {
            ui.error("--endian takes le or be, not \"" + order.toStdString() + "\"");
            return Refused;
        }
        header.bigEndian = order == "be";
    }
    const std::string work = filePathArgument(parser.positionalArguments().front());
    if (parser.isSet(id)) {
        header.id = parser.value(id).toStdString();
        if (!isKsyIdentifier(header.id)) {
            ui.error("--id takes lowercase letters, digits and underscores, starting with a "
                     "letter, not \"" +
                     header.id + "\"");
            return Refused;
        }
    } else {
        header.id = ksyIdentifierFor(work);
    }
    const std::string out = parser.isSet(output) ? filePathArgument(parser.value(output)) : "";

    if (isFolder(work)) {
        ui.error(work + ": is a folder, not a marker file");
        return FileFailed;
    }
    HeaderBlock block;
    MarkerTable markers;
    FileSource dump;
    if (!readMarkerFile(work, block, markers, ui) || !openDumpOfMarkerFile(block, work, dump, ui))
        return FileFailed;
    if (!markers.isSorted())
        markers.SortMarkPosition(markers.count());
    header.fileExtension = extensionOf(dump.readingPath());

    if (!out.empty()) {
        if (sameFile(out, work) || sameFile(out, dump.readingPath())) {
            ui.error(out + ": is a file being read; choose another output");
            return Refused;
        }
        if (!parser.isSet(force) && nameTaken(out)) {
            ui.error(out + ": exists; add --force to overwrite it");
            return FileFailed;
        }
    }

    const KsyDescription description = describeMarkers(markers, dump.size(), header);
    for (const auto& note : description.notes)
        ui.note(work + ": " + note);
    CommandOutput sink;
    if (!sink.open(out, ui))
        return FileFailed;
    sink.write(description.yaml);
    return sink.finish(ui) ? Done : FileFailed;
}

} // namespace byzel::cli

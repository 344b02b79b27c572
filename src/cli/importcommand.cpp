#include "cli/commandline.h"
#include "cli/commands.h"
#include "cli/markerjson.h"
#include "cli/readfile.h"

#include "core/dumpfile/replacingfile.h"
#include "core/ui/uiport.h"

namespace byzel::cli {
namespace {

// Far more than the JSON of a full table of markers with the longest remarks.
constexpr std::size_t kMaxJsonBytes = 64 * 1024 * 1024;

} // namespace

int runImportMarkers(const QStringList& arguments, ConsoleUi& ui) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Writes a marker file from JSON in the form \"byzel-cli markers\" shows. The marker\n"
        "file is written completely or not at all: an existing WORK.mkg stays as it was when\n"
        "anything fails.\n"
        "\n"
        "Required: \"dumpPath\", \"markers\", and per marker \"start\", \"end\", \"color\"\n"
        "(\"#RRGGBB\") and \"remark\". The other keys may be left out (0 then). color is the\n"
        "colour shown: for colorIndex 1 to 8 that index's standard colour. colorRef, the\n"
        "colour stored, is taken from color when left out; when given, color must be the\n"
        "colour colorIndex shows or colorRef's own. Markers are numbered by their place in the\n"
        "list; \"number\" is not read. Every save writes the marker count into countCopy.\n"
        "Remove \"remarkBytes\" / \"dumpPathBytes\" when you edit the text beside them.\n"
        "\n"
        "Refused, with a message naming the marker, exit status 2 and nothing written: JSON\n"
        "that does not parse, missing keys, values of the wrong type or range, unknown keys,\n"
        "more than 5000 markers, start after end, markers sharing a byte, a remark of more\n"
        "than 239 bytes in Shift-JIS or with characters Shift-JIS cannot hold, a path of more\n"
        "than 255 bytes.\n"
        "\n"
        "Exit status: 0 done, 1 a file could not be read or written (or WORK.mkg exists\n"
        "without --force), 2 the command line or the JSON was refused.");
    parser.addPositionalArgument("IN.json", "The markers as JSON (UTF-8).");
    const QCommandLineOption output({"o", "output"}, "The marker file to write (required).",
                                    "WORK.mkg");
    const QCommandLineOption force("force", "Overwrite WORK.mkg when it exists.");
    parser.addOptions({output, force});
    if (auto status = parseCommandLine(parser, arguments, 1, ui))
        return *status;
    if (!parser.isSet(output)) {
        ui.error("import-markers needs -o WORK.mkg, the marker file to write (see --help)");
        return Refused;
    }

    const std::string in = filePathArgument(parser.positionalArguments().front());
    const std::string out = filePathArgument(parser.value(output));
    if (isFolder(in)) {
        ui.error(in + ": is a folder, not a JSON file");
        return FileFailed;
    }
    const auto json = readFilePrefix(in, kMaxJsonBytes + 1);
    if (!json) {
        showMessage(ui, msg::OpenFailed, in + "\n");
        return FileFailed;
    }
    if (json->size() > kMaxJsonBytes) {
        ui.error(in + ": too large for a list of markers; nothing was written");
        return Refused;
    }
    const JsonImport imported =
        markersFromJson({reinterpret_cast<const char*>(json->data()), json->size()});
    if (!imported.contents) {
        ui.error(in + ": " + imported.error + "; nothing was written");
        return Refused;
    }
    if (!parser.isSet(force) && nameTaken(out)) {
        ui.error(out + ": exists; add --force to overwrite it");
        return FileFailed;
    }
    MarkerTable markers;
    markers.assign(imported.contents->records);
    return writeMarkerFile(out, imported.contents->header, markers, false, ui) ? Done : FileFailed;
}

} // namespace byzel::cli

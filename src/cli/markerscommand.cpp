#include "cli/commandline.h"
#include "cli/commands.h"
#include "cli/markerchecks.h"
#include "cli/markerjson.h"
#include "cli/readfile.h"

#include "core/markerfile/byteorder.h"
#include "core/ui/uiport.h"

#include <algorithm>
#include <cstdio>

namespace byzel::cli {
namespace {

// The file as stored: the reader gives records with a colour number their standard colour,
// but the JSON shows the colour field as it is in the file.
MarkerFileContents asStored(MarkerFileContents contents, std::span<const std::uint8_t> image) {
    for (std::size_t i = 0; i < contents.records.size(); ++i)
        contents.records[i].color =
            loadLe32(&image[kMarkerRecordsAt + i * kMarkerRecordSize + kMarkerRecordSize - 4]);
    return contents;
}

// What a marker file written back from the JSON cannot keep, because every save writes it anew.
void noteWhatASaveChanges(const MarkerFileContents& contents, std::span<const std::uint8_t> image,
                          const std::string& path, ConsoleUi& ui) {
    const std::size_t count = contents.records.size();
    if (image[kMarkerCountAt] != 0 || image[kMarkerCountAt + 1] != 0)
        ui.note(path + ": the high half of the stored marker count is not zero; a save writes 0");
    if (contents.header.countCopy != count)
        ui.note(path + ": the count copy (" + std::to_string(contents.header.countCopy) +
                ") differs from the marker count; a save writes the count");
    if (image.size() > kMarkerRecordsAt + count * kMarkerRecordSize)
        ui.note(path + ": bytes after the last marker record are not shown; a save drops them");
}

// Markers that import-markers refuses, so that a round trip failing later is no surprise.
void warnAboutBrokenMarkers(const MarkerFileContents& contents, const std::string& path,
                            ConsoleUi& ui) {
    constexpr std::size_t kShown = 10;
    const auto problems = markerProblems(contents.records);
    if (problems.empty())
        return;
    for (std::size_t i = 0; i < std::min(problems.size(), kShown); ++i)
        ui.warning(path + ": " + problems[i]);
    if (problems.size() > kShown)
        ui.warning(path + ": " + std::to_string(problems.size() - kShown) + " more like these");
    ui.warning(path + ": import-markers refuses such markers; mend them in the JSON first");
}

} // namespace

int runMarkers(const QStringList& arguments, ConsoleUi& ui) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Shows a marker file as JSON (UTF-8) on standard output: the dump file path, both\n"
        "display switches, the header words nobody interprets (reserved, countCopy, padding)\n"
        "and every marker with its number, start, end (inclusive), colorIndex, the colour the\n"
        "program shows it in as \"#RRGGBB\" (color), the stored 0x00BBGGRR value (colorRef)\n"
        "and remark.\n"
        "\n"
        "Texts are the file's Shift-JIS decoded. A path or remark whose stored bytes the text\n"
        "alone cannot give back (bytes that are not Shift-JIS, bytes after the end of the\n"
        "text) also comes as \"dumpPathBytes\" / \"remarkBytes\": the whole field in hex,\n"
        "trailing zero bytes left out. A record with colorIndex 1 to 8 is shown in that\n"
        "index's standard colour whatever colorRef holds, so color then differs from it.\n"
        "\n"
        "Markers that import-markers would refuse (a negative offset, start after end,\n"
        "markers sharing a byte) are shown as they are, with a warning on standard error.\n"
        "\n"
        "\"byzel-cli import-markers\" turns this JSON back into the same marker file, byte for\n"
        "byte.\n"
        "\n"
        "Exit status: 0 done, 1 the file could not be read or is no marker file, 2 the\n"
        "command line was refused.");
    parser.addPositionalArgument("WORK.mkg", "The marker file.");
    if (auto status = parseCommandLine(parser, arguments, 1, ui))
        return *status;

    const std::string path = filePathArgument(parser.positionalArguments().front());
    if (isFolder(path)) {
        ui.error(path + ": is a folder, not a marker file");
        return FileFailed;
    }
    const auto image = readFilePrefix(path, kMaxMarkerFileBytes + 1);
    if (!image) {
        showMessage(ui, msg::OpenFailed, path + "\n");
        return FileFailed;
    }
    auto contents = parseMarkerFile(*image);
    if (!contents) {
        showMessage(ui, msg::ReadFailed, path + "\n");
        return FileFailed;
    }
    noteWhatASaveChanges(*contents, *image, path, ui);
    warnAboutBrokenMarkers(*contents, path, ui);
    const std::string json = markersToJson(asStored(std::move(*contents), *image));
    if (std::fwrite(json.data(), 1, json.size(), stdout) != json.size() ||
        std::fflush(stdout) != 0) {
        showMessage(ui, msg::WriteFailed);
        return FileFailed;
    }
    return Done;
}

} // namespace byzel::cli

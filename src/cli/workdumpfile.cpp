#include "cli/workdumpfile.h"

#include "core/ui/consoleui.h"
#include "core/workflow/dumprelocation.h"

#include <QCoreApplication>
#include <QFile>
#include <QString>

namespace byzel::cli {

bool isMarkerFile(const std::string& path) {
    return path.size() >= 4 && QString::fromStdString(path.substr(path.size() - 4))
                                       .compare(".mkg", Qt::CaseInsensitive) == 0;
}

bool openDumpOfMarkerFile(const HeaderBlock& header, const std::string& markerPath,
                          FileSource& source, ConsoleUi& ui) {
    const std::vector<std::string> stored = header.dumpPathCandidates();
    if (stored.empty()) {
        ui.error(markerPath + ": the marker file names no dump file");
        return false;
    }
    const std::string programFolder =
        QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
    const auto tried = dumpFilePlaces(header, programFolder, markerPath);
    for (const auto& place : tried)
        if (source.open(place.path, ui) == FileSource::OpenResult::Opened)
            return true;
    std::string places;
    for (const auto& place : tried)
        if (place.path != stored.front())
            places += (places.empty() ? "" : ", ") + place.path;
    ui.error(markerPath + ": the dump file is not where it was saved (\"" + stored.front() + "\")" +
             (places.empty() ? "" : " nor at " + places));
    return false;
}

} // namespace byzel::cli

#include "app/startup.h"

#include "app/tormelapp.h"
#include "core/markerfile/headerblock.h"
#include "core/text/messages.h"
#include "core/workflow/commandline.h"
#include "core/workflow/recentfiles.h"
#include "core/workflow/recovery.h"

#include <QFile>
#include <QFileInfo>

#include <string>
#include <vector>

namespace byzel {
namespace {

// The named file as an absolute path, so nothing depends on the current folder later.
QString startingPath(const QStringList& arguments) {
    std::vector<std::string> parts;
    for (const auto& argument : arguments)
        parts.push_back(argument.toStdString());
    const std::string path = commandLinePath(joinedCommandLine(parts));
    if (path.empty())
        return {};
    return QFileInfo(QString::fromStdString(path)).absoluteFilePath();
}

} // namespace

bool prepareStart(CTormelApp& app, const QStringList& arguments) {
    app.recentFiles().removeNonMarkerFiles();
    const QString path = startingPath(arguments);
    if (!path.isEmpty() && QFileInfo(path).isDir()) {
        showMessage(app.ui(), msg::FolderRefused, {}, BoxStyle::Information);
        return false;
    }
    return true;
}

void tellRecoveredMarkers(CTormelApp& app) {
    for (const std::string& path : takeRecoveryFiles(app.settings())) {
        if (QFileInfo::exists(QFile::decodeName(QByteArray::fromStdString(path))))
            showMessage(app.ui(), msg::RecoveredMarkers, path + "\n", BoxStyle::Information);
    }
}

bool openStartingWork(CTormelApp& app, const QStringList& arguments) {
    const QString path = startingPath(arguments);
    if (path.isEmpty()) {
        if (app.settings().readInt(section::Settings, "OpenLast") == 1)
            app.workflow().openRecentFile(0);
        return true;
    }
    const std::string native = path.toStdString();
    if (hasMarkerFileExtension(native)) {
        app.workflow().loadMarkerFile(native);
        return true;
    }
    if (storedPathLength(native) > kMaxStoredPathBytes) {
        showMessage(app.ui(), msg::PathTooLong, native + "\n", BoxStyle::Error);
        return false;
    }
    app.workflow().openAsNewWork(native);
    return true;
}

} // namespace byzel

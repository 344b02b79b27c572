#include "tools/showfolder.h"

#include "core/text/messages.h"
#include "core/tools/markerfiles.h"
#include "core/ui/uiport.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QUrl>

#include <algorithm>

namespace byzel {

bool ShowFolder(const std::string& path, UiPort& ui) {
    // Local paths are cut at "/" alone: a backslash may be part of a file's name here.
    const std::size_t cut = path.rfind('/');
    const std::string folder =
        path.starts_with('/') ? path.substr(0, std::max<std::size_t>(cut, 1)) : folderOfPath(path);
    const QString local =
        folder.empty() ? QDir::homePath() : QFile::decodeName(QByteArray::fromStdString(folder));
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(local)))
        return true;
    showMessage(ui, msg::FileManagerFailed, {}, BoxStyle::Error);
    return false;
}

} // namespace byzel

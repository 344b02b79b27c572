#include "tools/showfolder.h"

#include "core/text/messages.h"
#include "core/tools/markerfiles.h"
#include "core/ui/uiport.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QUrl>

namespace byzel {

bool ShowFolder(const std::string& path, UiPort& ui) {
    const std::string folder = folderOfPath(path);
    const QString local =
        folder.empty() ? QDir::homePath() : QFile::decodeName(QByteArray::fromStdString(folder));
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(local)))
        return true;
    showMessage(ui, msg::FileManagerFailed, {}, BoxStyle::Error);
    return false;
}

} // namespace byzel

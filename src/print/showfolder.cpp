#include "print/showfolder.h"

#include "core/ui/uiport.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace byzel {

void showSavedFileFolder(const std::string& path, UiPort& ui) {
    const QString file = QFile::decodeName(QByteArray::fromStdString(path));
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(file).absolutePath())))
        showMessage(ui, msg::FileManagerFailed);
}

} // namespace byzel

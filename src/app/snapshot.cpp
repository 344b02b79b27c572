#include "app/snapshot.h"

#include "app/qsettingsstore.h"
#include "app/startup.h"
#include "app/tormelapp.h"
#include "core/dumpfile/filecopy.h"
#include "core/dumpfile/replacingfile.h"
#include "core/ui/consoleui.h"
#include "view/tormelview.h"

#include <QBuffer>
#include <QImage>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>
#include <sys/stat.h>

namespace byzel {

int runSnapshot(const SnapshotRequest& request) {
    if (!request.size.isValid() || request.size.isEmpty()) {
        std::cerr << "byzel: --size needs WIDTHxHEIGHT\n";
        return 1;
    }
    // Nobody is asked anything: questions are answered No, so nothing is saved.
    ConsoleUi ui("byzel");
    QSettingsStore settings;
    CTormelApp app(settings, ui);
    CTormelView view(app);
    view.setAttribute(Qt::WA_DontShowOnScreen);
    view.resize(request.size);
    view.show();
    if (!openStartingWork(app, {request.file}) || !app.work().isOpen()) {
        // Opening a missing file or a folder says nothing itself; other failures had their say.
        struct stat st;
        std::string reason;
        if (::stat(request.file.c_str(), &st) != 0)
            reason = std::string(": ") + std::strerror(errno);
        else if (S_ISDIR(st.st_mode))
            reason = ": is a folder";
        std::cerr << "byzel: cannot show " << request.file << reason << '\n';
        return 1;
    }
    if (request.topRow > 0)
        view.ScrollToRow(request.topRow);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!view.grab().toImage().save(&buffer, "PNG")) {
        std::cerr << "byzel: cannot make the PNG image\n";
        return 1;
    }
    ReplacingFile file;
    if (!file.open(request.outputPath) ||
        !writeAll(file.fd(), png.constData(), static_cast<std::size_t>(png.size())) ||
        !file.commit()) {
        std::cerr << "byzel: cannot write " << request.outputPath << ": " << std::strerror(errno)
                  << '\n';
        return 1;
    }
    return 0;
}

} // namespace byzel

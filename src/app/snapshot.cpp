#include "app/snapshot.h"

#include "app/qsettingsstore.h"
#include "app/startup.h"
#include "app/tormelapp.h"
#include "core/ui/consoleui.h"
#include "view/tormelview.h"

#include <QImage>

#include <iostream>

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
        std::cerr << "byzel: cannot show " << request.file.toStdString() << '\n';
        return 1;
    }
    if (request.topRow > 0)
        view.ScrollToRow(request.topRow);
    const QImage image = view.grab().toImage();
    if (!image.save(request.outputPath, "PNG")) {
        std::cerr << "byzel: cannot write " << request.outputPath.toStdString() << '\n';
        return 1;
    }
    return 0;
}

} // namespace byzel

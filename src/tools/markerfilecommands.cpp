#include "tools/markerfilecommands.h"

#include "app/progressrunner.h"
#include "app/tormelapp.h"
#include "core/tools/markerfiles.h"
#include "tools/showfolder.h"

#include <QApplication>

namespace byzel {

bool createFileFromMarker(CTormelApp& app, int clickedMarker) {
    if (clickedMarker < 0 || app.work().markers().empty())
        return false;
    const int index[] = {clickedMarker};
    return createFileFromMarkers(app, index);
}

bool createFileFromAllMarkers(CTormelApp& app) {
    return createFileFromMarkers(app, allMarkerIndexes(app.work().markers()));
}

bool createFileFromMarkers(CTormelApp& app, std::span<const int> indexes) {
    if (!app.work().isOpen() || !app.finishDumpCopy(QApplication::activeWindow()))
        return false;
    UiPort& ui = app.ui();
    return WriteMarkersToFile(
        app.work().dump(), app.work().markers(), indexes, ui,
        [&ui](const std::string& path) { return ShowFolder(path, ui); },
        [](const auto& pass) {
            return ProgressRunner::run(QApplication::activeWindow(),
                                       QStringLiteral("ファイルを作成しています..."), pass);
        });
}

} // namespace byzel

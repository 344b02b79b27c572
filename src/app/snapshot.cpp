#include "app/snapshot.h"

#include "app/qsettingsstore.h"
#include "app/tormelapp.h"
#include "core/dumprelocation.h"
#include "core/markerfile.h"
#include "view/tormelview.h"

#include <QFileInfo>
#include <QImage>

#include <filesystem>
#include <iostream>

namespace byzel {

namespace {

bool endsWithMkg(const std::string& path) {
    return QFileInfo(QString::fromStdString(path)).suffix().compare("mkg", Qt::CaseInsensitive) ==
           0;
}

// Opens the first candidate that exists, so that the places a dump file is merely looked for
// raise no messages.
bool openFirstExisting(Work& work, const std::vector<std::string>& candidates, UiPort& ui) {
    for (const std::string& candidate : candidates) {
        std::error_code ec;
        if (std::filesystem::is_regular_file(candidate, ec) && work.dump().open(candidate, ui))
            return true;
    }
    return false;
}

// Messages go to stderr; questions get their first answer.
class StderrUi : public UiPort {
public:
    int showMessageBox(int, const std::string& text, BoxStyle style) override {
        std::cerr << "byzel: " << text << '\n';
        return style == BoxStyle::YesNo || style == BoxStyle::YesNoCancel ? Yes : Ok;
    }
    std::string chooseOpenFile(const FileDialogRequest&) override { return {}; }
    std::string chooseSaveFile(const FileDialogRequest&) override { return {}; }
    std::optional<ColorRef> chooseColor(ColorRef) override { return std::nullopt; }
};

} // namespace

bool openWorkForViewing(Work& work, const std::string& path, const std::string& programFolder,
                        UiPort& ui) {
    if (!endsWithMkg(path)) {
        if (!work.dump().open(path, ui))
            return false;
        (void)work.header().setDumpPath(path);
        return true;
    }
    if (!readMarkerFile(path, work.header(), work.markers(), ui))
        return false;
    if (!openFirstExisting(work, work.header().dumpPathCandidates(), ui) &&
        !openFirstExisting(work, movedDumpFileCandidates(work.header(), programFolder, path), ui))
        return false;
    if (!work.markers().isSorted())
        work.markers().SortMarkPosition(work.markers().count());
    work.setMarkerFilePath(path);
    return true;
}

int runSnapshot(const SnapshotRequest& request, const std::string& programFolder) {
    if (!request.size.isValid() || request.size.isEmpty()) {
        std::cerr << "byzel: --size needs WIDTHxHEIGHT\n";
        return 1;
    }
    StderrUi ui;
    QSettingsStore settings;
    CTormelApp app(settings, ui);
    const std::string file = std::filesystem::absolute(request.file.toStdString()).string();
    if (!openWorkForViewing(app.work(), file, programFolder, ui)) {
        std::cerr << "byzel: cannot show " << file << '\n';
        return 1;
    }
    CTormelView view(app);
    view.setAttribute(Qt::WA_DontShowOnScreen);
    view.resize(request.size);
    view.show();
    view.layOut();
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

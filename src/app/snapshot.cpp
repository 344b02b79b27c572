#include "app/snapshot.h"

#include "app/qsettingsstore.h"
#include "app/startup.h"
#include "app/tormelapp.h"
#include "view/tormelview.h"

#include <QImage>

#include <iostream>

namespace byzel {

namespace {

// Messages go to stderr; questions are answered No, so nothing is asked for and nothing saved.
class StderrUi : public UiPort {
public:
    int showMessageBox(int, const std::string& text, BoxStyle style) override {
        std::cerr << "byzel: " << text << '\n';
        return style == BoxStyle::YesNo || style == BoxStyle::YesNoCancel ? No : Ok;
    }
    std::string chooseOpenFile(const FileDialogRequest&) override { return {}; }
    std::string chooseSaveFile(const FileDialogRequest&) override { return {}; }
    std::optional<ColorRef> chooseColor(ColorRef) override { return std::nullopt; }
};

} // namespace

int runSnapshot(const SnapshotRequest& request) {
    if (!request.size.isValid() || request.size.isEmpty()) {
        std::cerr << "byzel: --size needs WIDTHxHEIGHT\n";
        return 1;
    }
    StderrUi ui;
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

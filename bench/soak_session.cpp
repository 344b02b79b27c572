// Long sessions in one process, watching its resident memory, which must stay flat.
//   soak_session work dump-file folder sessions
//     opens the work, lays markers, saves and closes it, sessions times; each session reopens
//     the marker file the one before saved, lays its own 20 markers in place of those, paints
//     the main window and saves.
//   soak_session scroll dump-file
//     scrolls the view of a (large) dump file from its first to its last scroll position,
//     painting every position.
// Prints "start-kB half-kB end-kB peak-kB seconds": resident memory after the first round
// (caches and fonts loaded), half way, at the end, the peak over the run, and the time taken.
#include "app/listingfont.h"
#include "app/tormelapp.h"
#include "core/markers/remarktext.h"
#include "core/settings/memorysettings.h"
#include "core/ui/uiport.h"
#include "frame/mainframe.h"
#include "view/tormelview.h"

#include <QApplication>
#include <QScrollBar>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

long residentKb(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::stol(line.substr(std::string(field).size()));
    return -1;
}

// Answers every question with Yes and every save chooser with one path.
class SoakUi : public byzel::UiPort {
public:
    explicit SoakUi(std::string savePath) : m_savePath(std::move(savePath)) {}
    int showMessageBox(int messageId, const std::string& text, byzel::BoxStyle style) override {
        // An error means the session went wrong: say so, the figures alone would not.
        if (style == byzel::BoxStyle::Error) {
            std::fprintf(stderr, "message %d: %s\n", messageId, text.c_str());
            ++m_errors;
        }
        return byzel::Yes;
    }
    std::string chooseOpenFile(const byzel::FileDialogRequest&) override { return {}; }
    std::string chooseSaveFile(const byzel::FileDialogRequest&) override { return m_savePath; }
    std::optional<byzel::ColorRef> chooseColor(byzel::ColorRef initial) override { return initial; }
    [[nodiscard]] int errors() const { return m_errors; }

private:
    std::string m_savePath;
    int m_errors = 0;
};

void layMarkers(byzel::CTormelApp& app, int session) {
    auto& markers = app.work().markers();
    const byzel::Offset last = app.work().dump().lastOffset();
    for (int i = 0; i < 20; ++i) {
        const byzel::Offset start = (session * 37 + i * 101) % std::max<byzel::Offset>(last, 1);
        if (markers.full() || markers.findAt(start, last) >= 0 ||
            markers.findAt(start + 3, last) >= 0)
            continue;
        const int index = markers.append(start, std::min(start + 3, last),
                                         byzel::kStandardColors[static_cast<size_t>(i % 8)]);
        (void)markers.setRemark(index,
                                byzel::remarkFromUtf8("セッション " + std::to_string(session) +
                                                      " の領域 " + std::to_string(i)));
        markers.placeLast();
    }
    app.work().setModified(true);
}

struct Figures {
    long start = 0;
    long half = 0;
    long end = 0;
    double seconds = 0;
};

int workSessions(QApplication& application, const std::string& dump, const std::string& folder,
                 int sessions) {
    const std::string markerFile = folder + "/soak.mkg";
    byzel::MemorySettingsStore settings;
    SoakUi ui(markerFile);
    byzel::CTormelApp app(settings, ui);
    byzel::CMainFrame frame(app);
    frame.setAttribute(Qt::WA_DontShowOnScreen);
    frame.resize(1600, 1000);
    frame.show();

    Figures f;
    const auto started = std::chrono::steady_clock::now();
    for (int session = 0; session < sessions; ++session) {
        const bool opened = session == 0 ? app.workflow().openAsNewWork(dump)
                                         : app.workflow().loadMarkerFile(markerFile);
        if (!opened)
            return 1;
        app.work().markers().clear();
        layMarkers(app, session);
        frame.view()->viewport()->repaint();
        application.processEvents();
        const bool saved = session == 0 ? app.workflow().saveWorkAs() == byzel::SaveOutcome::Saved
                                        : app.workflow().saveWork();
        if (!saved || !app.workflow().closeWork())
            return 1;
        application.processEvents();
        if (session == 0)
            f.start = residentKb("VmRSS:");
        if (session == sessions / 2)
            f.half = residentKb("VmRSS:");
    }
    f.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    f.end = residentKb("VmRSS:");
    std::printf("%ld %ld %ld %ld %.2f\n", f.start, f.half, f.end, residentKb("VmHWM:"), f.seconds);
    return ui.errors() == 0 ? 0 : 1;
}

int scrollWholeFile(QApplication& application, const std::string& dump) {
    byzel::MemorySettingsStore settings;
    SoakUi ui({});
    byzel::CTormelApp app(settings, ui);
    byzel::CMainFrame frame(app);
    frame.setAttribute(Qt::WA_DontShowOnScreen);
    frame.resize(1600, 1000);
    frame.show();
    if (!app.workflow().openAsNewWork(dump))
        return 1;
    byzel::CTormelView& view = *frame.view();
    QScrollBar& bar = *view.verticalScrollBar();

    Figures f;
    const auto started = std::chrono::steady_clock::now();
    for (int position = bar.minimum(); position <= bar.maximum(); ++position) {
        bar.setValue(position);
        view.viewport()->repaint();
        application.processEvents();
        if (position == bar.minimum())
            f.start = residentKb("VmRSS:");
        if (position == (bar.minimum() + bar.maximum()) / 2)
            f.half = residentKb("VmRSS:");
    }
    f.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    f.end = residentKb("VmRSS:");
    const bool atEnd = app.view().topRow + app.view().visibleRows >= app.work().dump().totalRows();
    std::printf("%ld %ld %ld %ld %.2f\n", f.start, f.half, f.end, residentKb("VmHWM:"), f.seconds);
    return atEnd && ui.errors() == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    byzel::installFontSubstitutions();
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "work" && argc == 5)
        return workSessions(application, argv[2], argv[3], std::max(1, std::atoi(argv[4])));
    if (mode == "scroll" && argc == 3)
        return scrollWholeFile(application, argv[2]);
    std::fprintf(stderr, "usage: %s work dump-file folder sessions | scroll dump-file\n", argv[0]);
    return 2;
}

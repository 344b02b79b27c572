// Renders the dump view of a large dump file at 1920 x 1080 and prints the median time per frame
// in nanoseconds, with 5000 markers, then with their link lines drawn, then with an empty table:
// "marked linked empty".
// Usage: render_view dump-file frames
#include "app/listingfont.h"
#include "app/tormelapp.h"
#include "core/ui/consoleui.h"
#include "core/settings/memorysettings.h"
#include "core/text/sjis.h"
#include "view/tormelview.h"

#include <QApplication>
#include <QImage>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// 4999 markers spread over the first half of the file, then one from the middle to the end,
// so that a page in the second half lies under a marker of half a gigabyte.
void layMarkers(byzel::MarkerTable& markers, byzel::Offset lastOffset) {
    const byzel::Offset half = lastOffset / 2;
    const byzel::Offset spacing = half / (byzel::MarkerTable::kCapacity - 1);
    for (int i = 0; i < byzel::MarkerTable::kCapacity - 1; ++i) {
        const int index = markers.append(i * spacing, i * spacing + spacing / 2,
                                         byzel::kStandardColors[static_cast<size_t>(i % 8)]);
        (void)markers.setRemark(
            index, *byzel::utf8ToCp932("領域 " + std::to_string(i + 1) + " のヘッダとデータ"));
    }
    const int last = markers.append(half, lastOffset, byzel::kStandardColors[2]);
    (void)markers.setRemark(last, *byzel::utf8ToCp932("最後のマーカ：ファイルの終わりまで"));
}

long long medianFrame(byzel::CTormelView& view, QImage& image, int frames) {
    std::vector<long long> ns;
    for (int i = 0; i < frames + 3; ++i) {
        const auto start = std::chrono::steady_clock::now();
        view.viewport()->render(&image);
        const auto elapsed = std::chrono::steady_clock::now() - start;
        // The first frames fill the glyph caches.
        if (i >= 3)
            ns.push_back(std::chrono::duration_cast<std::chrono::nanoseconds>(elapsed).count());
    }
    std::sort(ns.begin(), ns.end());
    return ns[ns.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s dump-file frames\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    byzel::installFontSubstitutions();
    const int frames = std::max(1, std::atoi(argv[2]));

    byzel::MemorySettingsStore settings;
    byzel::ConsoleUi ui("bench");
    byzel::CTormelApp app(settings, ui);
    // Measured on the complete working copy, as the program reads once it is made.
    if (!app.work().dump().open(argv[1], ui) || !app.work().dump().waitForWorkingCopy({}) ||
        app.work().dump().settleWorkingCopy() == byzel::CopyOutcome::SourceChanged)
        return 1;
    layMarkers(app.work().markers(), app.work().dump().lastOffset());

    byzel::CTormelView view(app);
    view.setAttribute(Qt::WA_DontShowOnScreen);
    view.resize(1920, 1080);
    view.show();
    view.layOut();
    const byzel::Offset page = app.work().dump().totalRows() * 3 / 4;
    view.ScrollToRow(page);
    app.view().referencePoint = page * 16 + 0x25;
    app.view().remarkStart = byzel::MarkerTable::kCapacity - 40;

    QImage image(view.viewport()->size(), QImage::Format_RGB32);
    const long long marked = medianFrame(view, image, frames);
    // Every listed marker starts far above this page: each line runs off the top of the list.
    app.work().header().linkLines = 1;
    const long long linked = medianFrame(view, image, frames);
    app.work().header().linkLines = 0;
    app.work().markers().clear();
    app.view().remarkStart = 0;
    const long long empty = medianFrame(view, image, frames);
    std::printf("%lld %lld %lld\n", marked, linked, empty);
    return 0;
}

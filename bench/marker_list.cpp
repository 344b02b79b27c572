// Opens the marker management list on 5000 markers and clears 2500 checked ones, and opens it
// on a single marker as the anchor. Prints the times in nanoseconds, each the median of a few
// runs, each including the first paint of the list: "open clear anchor".
// Usage: marker_list temporary-folder
#include "core/dumpfile/workfolder.h"
#include "core/markers/markerrecord.h"
#include "core/text/sjis.h"
#include "core/workflow/work.h"
#include "markers/markerlistmodel.h"
#include "markers/markmentdlg.h"

#include <QApplication>
#include <QImage>
#include <QTableView>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// Answers every question with Yes.
class YesUi : public byzel::UiPort {
public:
    int showMessageBox(int, const std::string&, byzel::BoxStyle) override { return byzel::Yes; }
    std::string chooseOpenFile(const byzel::FileDialogRequest&) override { return {}; }
    std::string chooseSaveFile(const byzel::FileDialogRequest&) override { return {}; }
    std::optional<byzel::ColorRef> chooseColor(byzel::ColorRef) override { return {}; }
};

void layMarkers(byzel::MarkerTable& markers, int count) {
    markers.clear();
    for (int i = 0; i < count; ++i) {
        const int index = markers.append(i * 100, i * 100 + 50,
                                         byzel::kStandardColors[static_cast<size_t>(i % 8)]);
        (void)markers.setRemark(
            index, *byzel::utf8ToCp932("領域 " + std::to_string(i + 1) + " のヘッダとデータ"));
    }
}

using Clock = std::chrono::steady_clock;

long long nanoseconds(Clock::duration d) {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(d).count();
}

void paint(byzel::CMarkMentDlg& dialog, QImage& image) {
    dialog.list()->viewport()->render(&image);
}

long long median(std::vector<long long> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s temporary-folder\n", argv[0]);
        return 2;
    }
    QApplication application(argc, argv);
    byzel::WorkFolder folder(argv[1]);
    byzel::Work work(folder);
    YesUi ui;
    const byzel::MarkerEditing editing{work, ui, {}};
    const byzel::MarkerToolHooks tools;
    QImage image(700, 440, QImage::Format_RGB32);

    std::vector<long long> opens, clears, anchors;
    for (int run = 0; run < 5; ++run) {
        layMarkers(work.markers(), byzel::MarkerTable::kCapacity);
        auto start = Clock::now();
        byzel::CMarkMentDlg dialog(editing, tools);
        dialog.show();
        paint(dialog, image);
        opens.push_back(nanoseconds(Clock::now() - start));

        for (int row = 0; row < byzel::MarkerTable::kCapacity; row += 2)
            dialog.model()->setChecked(row, true);
        start = Clock::now();
        dialog.run(byzel::CMarkMentDlg::ClearChecked);
        paint(dialog, image);
        clears.push_back(nanoseconds(Clock::now() - start));
        if (work.markers().count() != byzel::MarkerTable::kCapacity / 2) {
            std::fprintf(stderr, "the checked markers were not cleared\n");
            return 1;
        }

        layMarkers(work.markers(), 1);
        start = Clock::now();
        byzel::CMarkMentDlg single(editing, tools);
        single.show();
        paint(single, image);
        anchors.push_back(nanoseconds(Clock::now() - start));
    }
    std::printf("%lld %lld %lld\n", median(opens), median(clears), median(anchors));
    return 0;
}

// Prints 200 pages of a large dump file with 5000 markers and their link lines to a PDF, then
// exports the whole file as text through the print dialog's file output, as a user would.
// Prints "pages print-ns export-ns".
// Usage: print_dump dump-file work-folder
#include "app/listingfont.h"
#include "app/tormelapp.h"
#include "core/settings/memorysettings.h"
#include "core/text/sjis.h"
#include "core/ui/consoleui.h"
#include "print/insatudlg.h"
#include "print/printjob.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

#include <chrono>
#include <cstdio>
#include <string>

namespace {

constexpr int kPages = 200;

// Answers the print dialog's file chooser with one name and every question with Yes, No for
// showing the folder.
class BenchUi : public byzel::UiPort {
public:
    explicit BenchUi(std::string path) : m_path(std::move(path)) {}
    int showMessageBox(int id, const std::string&, byzel::BoxStyle) override {
        return id == byzel::msg::AskShowSavedFolder ? byzel::No : byzel::Yes;
    }
    std::string chooseOpenFile(const byzel::FileDialogRequest&) override { return {}; }
    std::string chooseSaveFile(const byzel::FileDialogRequest&) override { return m_path; }
    std::optional<byzel::ColorRef> chooseColor(byzel::ColorRef) override { return {}; }

private:
    std::string m_path;
};

void layMarkers(byzel::MarkerTable& markers, byzel::Offset lastOffset) {
    const byzel::Offset spacing = lastOffset / byzel::MarkerTable::kCapacity;
    for (int i = 0; i < byzel::MarkerTable::kCapacity; ++i) {
        const int index = markers.append(i * spacing, i * spacing + spacing / 2,
                                         byzel::kStandardColors[static_cast<size_t>(i % 8)]);
        (void)markers.setRemark(
            index, *byzel::utf8ToCp932("領域 " + std::to_string(i + 1) + " のヘッダとデータ"));
    }
}

long long nanosecondsOf(const auto& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() -
                                                                start)
        .count();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s dump-file work-folder\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    byzel::installFontSubstitutions();
    const std::string folder = argv[2];

    byzel::MemorySettingsStore settings;
    BenchUi ui(folder + "/DumpList.txt");
    byzel::CTormelApp app(settings, ui);
    // Measured on the complete working copy, as the program reads once it is made.
    if (!app.work().dump().open(argv[1], ui) || !app.work().dump().waitForWorkingCopy({}) ||
        app.work().dump().settleWorkingCopy() == byzel::CopyOutcome::SourceChanged)
        return 1;
    layMarkers(app.work().markers(), app.work().dump().lastOffset());
    app.work().header().linkLines = 1;
    app.view().topRow = app.work().dump().totalRows() / 2;
    app.view().remarkStart = byzel::MarkerTable::kCapacity / 2;

    const int points = settings.readInt(byzel::section::Settings, "FontSize");
    const byzel::PrintContent content{.source = app.work().dump(),
                                      .markers = app.work().markers(),
                                      .remarkStart = app.view().remarkStart,
                                      .linkLines = true,
                                      .topRow = app.view().topRow,
                                      .range = byzel::ExportRange::FollowingPages,
                                      .pageCount = kPages};
    byzel::PrintResult printed;
    const long long printNs = nanosecondsOf([&] {
        printed =
            byzel::printToPdf(folder + "/print.pdf", byzel::pdfPageLayout(9, 1), {},
                              byzel::createListingFont(settings, points), points, content, ui);
    });

    byzel::CInsatuDlg dialog(app);
    dialog.findChild<QRadioButton*>("rangeAll")->setChecked(true);
    dialog.findChild<QCheckBox*>("fileOutput")->setChecked(true);
    const long long exportNs =
        nanosecondsOf([&] { dialog.findChild<QPushButton*>("ok")->click(); });
    std::printf("%d %lld %lld\n", printed.pages, printNs, exportNs);
    return printed.outcome == byzel::PrintOutcome::Printed ? 0 : 1;
}

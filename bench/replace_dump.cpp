// Replaces every occurrence of a pattern in a dump file as the console's "replace all" does
// (counting, backup, the new content written and put in place, reload of the working copy) and
// prints how long that took in nanoseconds.
// Usage: replace_dump dump-file temporary-folder pattern-hex replacement-hex
#include "core/dumpfile/workfolder.h"
#include "core/search/dumprewriter.h"
#include "core/search/hextext.h"
#include "core/settings/memorysettings.h"
#include "core/ui/consoleui.h"
#include "core/ui/progress.h"
#include "core/viewmodel/viewstate.h"
#include "core/workflow/documentworkflow.h"
#include "core/workflow/recentfiles.h"
#include "core/workflow/work.h"
#include "core/workflow/workview.h"

#include <chrono>
#include <cstdio>

namespace {

// Says Yes to the question, keeps the rest to itself but failures.
class YesUi final : public byzel::UiPort {
public:
    int showMessageBox(int id, const std::string& text, byzel::BoxStyle style) override {
        if (style == byzel::BoxStyle::YesNo)
            return byzel::Yes;
        if (style == byzel::BoxStyle::Error)
            std::fprintf(stderr, "message %d: %s\n", id, text.c_str());
        return byzel::Ok;
    }
    std::string chooseOpenFile(const byzel::FileDialogRequest&) override { return {}; }
    std::string chooseSaveFile(const byzel::FileDialogRequest&) override { return {}; }
    std::optional<byzel::ColorRef> chooseColor(byzel::ColorRef) override { return {}; }
};

struct NoView : byzel::WorkView {
    void layOut() override {}
    void repaint() override {}
    void hidePopup() override {}
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s dump-file temporary-folder pattern-hex replacement-hex\n",
                     argv[0]);
        return 2;
    }
    const auto pattern = byzel::parseHexBytes(argv[3]);
    const auto replacement = byzel::parseHexBytes(argv[4]);
    if (!pattern || !replacement || pattern->empty())
        return 2;
    YesUi ui;
    byzel::WorkFolder folder(argv[2]);
    byzel::Work work(folder);
    byzel::ViewState view;
    NoView noView;
    byzel::MemorySettingsStore settings;
    byzel::RecentFileList recent(settings);
    byzel::DocumentWorkflow flow(work, view, noView, ui, settings, recent, {});
    if (!flow.openAsNewWork(argv[1]) || !flow.finishDumpCopy(byzel::runPassHere))
        return 1;
    byzel::DumpRewriter rewriter(work, flow, ui, folder, byzel::runPassHere);
    const auto start = std::chrono::steady_clock::now();
    // The reload after the replace ends with its working copy complete.
    const bool replaced = rewriter.ReplaceAllMatches(*pattern, *replacement) &&
                          flow.finishDumpCopy(byzel::runPassHere);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    if (!replaced)
        return 1;
    std::printf("%lld\n",
                static_cast<long long>(
                    std::chrono::duration_cast<std::chrono::nanoseconds>(elapsed).count()));
    std::fprintf(stderr, "replaced %lld\n", static_cast<long long>(rewriter.replacedCount()));
    return 0;
}

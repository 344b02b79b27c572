#include "cli/commandline.h"
#include "cli/commands.h"
#include "cli/readfile.h"

#include "core/dumpfile/workfolder.h"
#include "core/search/dumprewriter.h"
#include "core/settings/memorysettings.h"
#include "core/ui/progress.h"
#include "core/viewmodel/viewstate.h"
#include "core/workflow/documentworkflow.h"
#include "core/workflow/recentfiles.h"
#include "core/workflow/work.h"
#include "core/workflow/workview.h"

#include <cstdio>

namespace byzel::cli {
namespace {

// The command line is the user's confirmation: questions are answered Yes. The closing
// "done" is left out, the count printed instead; everything else goes to standard error.
class ConfirmedUi final : public UiPort {
public:
    explicit ConfirmedUi(ConsoleUi& console) : m_console(console) {}
    int showMessageBox(int messageId, const std::string& text, BoxStyle style) override {
        if (style == BoxStyle::YesNo || style == BoxStyle::YesNoCancel)
            return Yes;
        if (messageId == msg::ReplaceDone)
            return Ok;
        return m_console.showMessageBox(messageId, text, style);
    }
    std::string chooseOpenFile(const FileDialogRequest&) override { return {}; }
    std::string chooseSaveFile(const FileDialogRequest&) override { return {}; }
    std::optional<ColorRef> chooseColor(ColorRef) override { return std::nullopt; }

private:
    ConsoleUi& m_console;
};

struct NoView : WorkView {
    void layOut() override {}
    void repaint() override {}
    void hidePopup() override {}
};

} // namespace

int runReplace(const QStringList& arguments, ConsoleUi& ui) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Replaces the bytes HEX in FILE by REPLHEX, rewriting FILE itself, and prints the\n"
        "number of places replaced.\n"
        "\n"
        "HEX is 1 to 12 bytes as hexadecimal digit pairs, blanks between bytes allowed;\n"
        "REPLHEX 0 to 20 bytes (\"\" deletes). --all replaces every place the bytes are found,\n"
        "places not overlapping: each search goes on after the bytes just replaced. --at\n"
        "replaces the bytes at OFFSET, which must be HEX. A replacement of another length\n"
        "makes the file shorter or longer. Offsets may be decimal or hexadecimal with \"0x\".\n"
        "\n"
        "As in the program, FILE is first copied beside itself with \"_Back\" before its\n"
        "extension (data.bin gives data_Back.bin). Should the rewrite fail, FILE gets its\n"
        "previous content back. A read-only FILE is rewritten by --all and stays read-only.\n"
        "\n"
        "Exit status: 0 replaced, 1 nothing to replace or a file could not be read or\n"
        "written, 2 the command line was refused.");
    parser.addPositionalArgument("FILE", "The file to rewrite.");
    parser.addPositionalArgument("HEX", "The bytes to replace.");
    parser.addPositionalArgument("REPLHEX", "The bytes to put in their place.");
    const QCommandLineOption all("all", "Replace every place the bytes are found.");
    const QCommandLineOption at("at", "Replace the bytes at OFFSET.", "OFFSET");
    parser.addOptions({all, at});
    if (auto status = parseCommandLine(parser, arguments, 3, ui))
        return *status;

    const auto pattern = hexArgument(parser.positionalArguments()[1], 1, 12, "HEX", ui);
    const auto replacement = hexArgument(parser.positionalArguments()[2], 0, 20, "REPLHEX", ui);
    if (!pattern || !replacement)
        return Refused;
    if (parser.isSet(all) == parser.isSet(at)) {
        ui.error("give either --all or --at OFFSET (see --help)");
        return Refused;
    }
    std::optional<long long> offset;
    if (parser.isSet(at) &&
        (!(offset = numberArgument(parser.value(at))) || *offset < 0 || *offset > INT32_MAX)) {
        ui.error("--at takes an offset of 0 or more, not \"" + parser.value(at).toStdString() +
                 "\"");
        return Refused;
    }

    const std::string file = filePathArgument(parser.positionalArguments().front());
    if (isFolder(file)) {
        ui.error(file + ": is a folder");
        return FileFailed;
    }
    ConfirmedUi confirmed(ui);
    WorkFolder folder;
    Work work(folder);
    ViewState view;
    NoView noView;
    MemorySettingsStore settings;
    RecentFileList recent(settings);
    DocumentWorkflow flow(work, view, noView, confirmed, settings, recent, {});
    if (!flow.openAsNewWork(file)) {
        if (!work.isOpen())
            ui.error(file + ": cannot be opened");
        return FileFailed;
    }
    DumpRewriter rewriter(work, flow, confirmed, folder, runPassHere);
    std::int64_t replaced = 0;
    if (offset) {
        work.searchHit() = {static_cast<Offset>(*offset), static_cast<int>(pattern->size())};
        if (rewriter.ReplaceCurrentHit(*pattern, [&] { return std::optional(*replacement); }))
            replaced = 1;
    } else {
        if (rewriter.ReplaceAllMatches(*pattern, *replacement))
            replaced = rewriter.replacedCount();
    }
    std::printf("%lld\n", static_cast<long long>(replaced));
    return replaced > 0 ? Done : FileFailed;
}

} // namespace byzel::cli

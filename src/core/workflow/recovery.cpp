#include "core/workflow/recovery.h"

#include "core/dumpfile/replacingfile.h"
#include "core/markerfile/markerfile.h"
#include "core/settings/settings.h"
#include "core/ui/uiport.h"
#include "core/workflow/work.h"
#include "core/workflow/worktitle.h"

#include <filesystem>
#include <sstream>

namespace byzel {
namespace {

constexpr std::string_view kRecoveredKey = "Recovered";
// Enough for every end a user could leave unlooked-at.
constexpr int kMaxRecoveryNumber = 999;

// Nobody is there to answer while the program ends, so failures only make the write fail.
class SilentUi final : public UiPort {
public:
    int showMessageBox(int, const std::string&, BoxStyle) override { return NoButton; }
    std::string chooseOpenFile(const FileDialogRequest&) override { return {}; }
    std::string chooseSaveFile(const FileDialogRequest&) override { return {}; }
    std::optional<ColorRef> chooseColor(ColorRef) override { return std::nullopt; }
};

// "work.mkg" gives "work", a dump file "data.bin" gives "data".
std::string stemOf(std::string_view name) {
    if (const auto dot = name.find_last_of('.'); dot != std::string_view::npos && dot > 0)
        name = name.substr(0, dot);
    return name.empty() ? std::string("Byzel") : std::string(name);
}

// Writes a new file named after stem in folder; the path written, or empty text.
std::string writeInto(const std::string& folder, const std::string& stem, const Work& work) {
    for (int number = 1; number <= kMaxRecoveryNumber; ++number) {
        std::string path = folder + "/" + stem + ".recovered";
        if (number > 1) {
            path += '-';
            path += std::to_string(number);
        }
        path += ".mkg";
        if (nameTaken(path))
            continue;
        SilentUi silent;
        return writeMarkerFile(path, work.header(), work.markers(), false, silent) ? path
                                                                                   : std::string();
    }
    return {};
}

} // namespace

std::string saveRecoveryFile(const Work& work, const std::string& dataFolder) {
    if (!work.isOpen() || !work.modified())
        return {};
    std::string stem;
    if (!work.isUnnamed()) {
        const std::string& markerFile = work.markerFilePath();
        stem = stemOf(fileNameOf(markerFile));
        const auto folder = std::filesystem::path(markerFile).parent_path();
        if (auto path = writeInto(folder.empty() ? "." : folder.string(), stem, work);
            !path.empty())
            return path;
    } else {
        const auto dumpPaths = work.header().dumpPathCandidates();
        stem = stemOf(dumpPaths.empty() ? "" : fileNameOf(dumpPaths.front()));
    }
    std::error_code ignored;
    std::filesystem::create_directories(dataFolder, ignored);
    return writeInto(dataFolder, stem, work);
}

void rememberRecoveryFile(SettingsStore& settings, const std::string& path) {
    // Another program ending at the same time may have noted its own file meanwhile.
    settings.sync();
    std::string noted = settings.readText(section::Last, kRecoveredKey);
    if (!noted.empty())
        noted += '\n';
    settings.writeText(section::Last, kRecoveredKey, noted + path);
    settings.sync();
}

std::vector<std::string> takeRecoveryFiles(SettingsStore& settings) {
    std::istringstream noted(settings.readText(section::Last, kRecoveredKey));
    settings.remove(section::Last, kRecoveredKey);
    settings.sync();
    std::vector<std::string> paths;
    for (std::string line; std::getline(noted, line);)
        if (!line.empty())
            paths.push_back(line);
    return paths;
}

} // namespace byzel

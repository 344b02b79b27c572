#include "app/startup.h"

#include "app/tormelapp.h"
#include "core/markerfile/headerblock.h"
#include "core/text/messages.h"
#include "core/workflow/recentfiles.h"
#include "core/workflow/recovery.h"

#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace byzel {
namespace {

// The named file as an absolute path, so nothing depends on the current folder later. The
// shell has already split the command line: a name holding blanks or quotes is one argument.
std::string startingPath(const std::vector<std::string>& arguments) {
    if (arguments.empty() || arguments.front().empty())
        return {};
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(arguments.front(), ec);
    return ec ? arguments.front() : absolute.lexically_normal().string();
}

bool isFolder(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

bool prepareStart(CTormelApp& app, const std::vector<std::string>& arguments) {
    app.recentFiles().removeNonMarkerFiles();
    if (isFolder(startingPath(arguments))) {
        showMessage(app.ui(), msg::FolderRefused, {}, BoxStyle::Information);
        return false;
    }
    return true;
}

void tellRecoveredMarkers(CTormelApp& app) {
    for (const std::string& path : takeRecoveryFiles(app.settings())) {
        std::error_code ec;
        if (std::filesystem::exists(path, ec))
            showMessage(app.ui(), msg::RecoveredMarkers, path + "\n", BoxStyle::Information);
    }
}

bool openStartingWork(CTormelApp& app, const std::vector<std::string>& arguments) {
    const std::string path = startingPath(arguments);
    if (path.empty()) {
        if (app.settings().readInt(section::Settings, "OpenLast") == 1)
            app.workflow().openRecentFile(0);
        return true;
    }
    if (hasMarkerFileExtension(path)) {
        app.workflow().loadMarkerFile(path);
        return true;
    }
    if (storedPathLength(path) > kMaxStoredPathBytes) {
        showMessage(app.ui(), msg::PathTooLong, path + "\n", BoxStyle::Error);
        return false;
    }
    app.workflow().openAsNewWork(path);
    return true;
}

} // namespace byzel

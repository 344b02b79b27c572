#include "core/tools/markerfiles.h"

#include "core/dumpfile/bytesource.h"
#include "core/dumpfile/filecopy.h"
#include "core/dumpfile/replacingfile.h"
#include "core/markers/markertable.h"
#include "core/text/messages.h"
#include "core/tools/progress.h"
#include "core/ui/uiport.h"

#include <algorithm>
#include <numeric>

namespace byzel {
namespace {

// Copies one marker's bytes; false only when writing fails.
bool copyMarker(const ByteSource& source, const MarkerRecord& marker, int fd,
                std::vector<std::uint8_t>& block) {
    std::int64_t next = marker.start;
    const std::int64_t end = std::int64_t{marker.end} + 1;
    while (next < end) {
        const auto want =
            static_cast<std::size_t>(std::min<std::int64_t>(end - next, block.size()));
        const std::int32_t got =
            source.readAt(static_cast<Offset>(next), std::span(block.data(), want));
        if (got <= 0)
            return true;
        if (!writeAll(fd, block.data(), static_cast<std::size_t>(got)))
            return false;
        next += got;
    }
    return true;
}

} // namespace

std::string folderOfPath(std::string_view path) {
    const auto cut = path.find_last_of("/\\");
    return cut == std::string_view::npos ? std::string() : std::string(path.substr(0, cut));
}

std::vector<int> allMarkerIndexes(const MarkerTable& markers) {
    std::vector<int> indexes(static_cast<std::size_t>(markers.count()));
    std::iota(indexes.begin(), indexes.end(), 0);
    return indexes;
}

bool writeMarkerBytes(const ByteSource& source, const MarkerTable& markers,
                      std::span<const int> indexes, const std::string& path, UiPort& ui) {
    ReplacingFile file;
    if (!file.open(path)) {
        showMessage(ui, msg::OpenFailed, path + "\n", BoxStyle::Error);
        return false;
    }
    std::vector<std::uint8_t> block(static_cast<std::size_t>(kPassBlockSize));
    for (const int index : indexes) {
        if (!copyMarker(source, markers[index], file.fd(), block)) {
            showMessage(ui, msg::WriteFailed, path + "\n", BoxStyle::Error);
            return false;
        }
    }
    if (!file.commit()) {
        showMessage(ui, msg::WriteFailed, path + "\n", BoxStyle::Error);
        return false;
    }
    return true;
}

bool WriteMarkersToFile(const ByteSource& source, const MarkerTable& markers,
                        std::span<const int> indexes, UiPort& ui, const FolderShower& showFolder) {
    if (indexes.empty() || static_cast<int>(indexes.size()) > markers.count() ||
        std::any_of(indexes.begin(), indexes.end(),
                    [&](int i) { return i < 0 || i >= markers.count(); }))
        return false;
    FileDialogRequest request;
    request.title = "ファイルを指定";
    request.filter = "すべてのファイル(*.*)|*.*||";
    const std::string path = ui.chooseSaveFile(request);
    if (path.empty() || !writeMarkerBytes(source, markers, indexes, path, ui))
        return false;
    if (showMessage(ui, msg::AskShowSavedFolder, {}, BoxStyle::YesNo) == Yes && showFolder)
        showFolder(path);
    return true;
}

} // namespace byzel

#include "core/tools/markerfiles.h"

#include "core/dumpfile/bytesource.h"
#include "core/dumpfile/filecopy.h"
#include "core/dumpfile/replacingfile.h"
#include "core/markers/markertable.h"
#include "core/text/messages.h"
#include "core/ui/progress.h"
#include "core/ui/uiport.h"

#include <algorithm>
#include <numeric>

namespace byzel {
namespace {

// Copies one marker's bytes, adding them to done.
MarkerBytesResult copyMarker(const ByteSource& source, const MarkerRecord& marker, int fd,
                             std::vector<std::uint8_t>& block, std::int64_t& done,
                             std::int64_t total, const ProgressFn& progress) {
    std::int64_t next = marker.start;
    const std::int64_t end = std::int64_t{marker.end} + 1;
    while (next < end) {
        const auto want = static_cast<std::size_t>(
            std::min<std::int64_t>(end - next, static_cast<std::int64_t>(block.size())));
        const std::int32_t got =
            source.readAt(static_cast<Offset>(next), std::span(block.data(), want));
        if (got <= 0)
            break;
        if (!writeAll(fd, block.data(), static_cast<std::size_t>(got)))
            return MarkerBytesResult::WriteFailed;
        next += got;
        done += got;
        if (progress && !progress(done, total))
            return MarkerBytesResult::Stopped;
    }
    return MarkerBytesResult::Written;
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

MarkerBytesResult copyMarkerBytes(const ByteSource& source, const MarkerTable& markers,
                                  std::span<const int> indexes, const std::string& path,
                                  const ProgressFn& progress) {
    ReplacingFile file;
    if (!file.open(path))
        return MarkerBytesResult::CannotCreate;
    std::int64_t total = 0;
    for (const int index : indexes)
        total += markers[index].byteCount();
    std::vector<std::uint8_t> block(
        static_cast<std::size_t>(std::clamp<std::int64_t>(total, 1, kPassBlockSize)));
    std::int64_t done = 0;
    for (const int index : indexes) {
        const auto result =
            copyMarker(source, markers[index], file.fd(), block, done, total, progress);
        if (result != MarkerBytesResult::Written)
            return result;
    }
    return file.commit() ? MarkerBytesResult::Written : MarkerBytesResult::WriteFailed;
}

namespace {

// Tells why the file was not written; a stopped copy needs no words.
void reportFailure(MarkerBytesResult result, const std::string& path, UiPort& ui) {
    if (result == MarkerBytesResult::CannotCreate)
        showMessage(ui, msg::OpenFailed, path + "\n", BoxStyle::Error);
    else if (result == MarkerBytesResult::WriteFailed)
        showMessage(ui, msg::WriteFailed, path + "\n", BoxStyle::Error);
}

} // namespace

bool writeMarkerBytes(const ByteSource& source, const MarkerTable& markers,
                      std::span<const int> indexes, const std::string& path, UiPort& ui) {
    const auto result = copyMarkerBytes(source, markers, indexes, path);
    reportFailure(result, path, ui);
    return result == MarkerBytesResult::Written;
}

bool WriteMarkersToFile(const ByteSource& source, const MarkerTable& markers,
                        std::span<const int> indexes, UiPort& ui, const FolderShower& showFolder,
                        const PassRunner& runPass) {
    if (indexes.empty() || static_cast<int>(indexes.size()) > markers.count() ||
        std::any_of(indexes.begin(), indexes.end(),
                    [&](int i) { return i < 0 || i >= markers.count(); }))
        return false;
    FileDialogRequest request;
    request.title = "ファイルを指定";
    request.filter = "すべてのファイル(*.*)|*.*||";
    const std::string path = ui.chooseSaveFile(request);
    if (path.empty())
        return false;
    auto result = MarkerBytesResult::Stopped;
    runPass([&](const ProgressFn& progress) {
        result = copyMarkerBytes(source, markers, indexes, path, progress);
        return result == MarkerBytesResult::Written;
    });
    reportFailure(result, path, ui);
    if (result != MarkerBytesResult::Written)
        return false;
    if (showMessage(ui, msg::AskShowSavedFolder, {}, BoxStyle::YesNo) == Yes && showFolder)
        showFolder(path);
    return true;
}

} // namespace byzel

#include "core/dumplist/dumpexport.h"

#include "core/dumpfile/bytesource.h"
#include "core/dumpfile/replacingfile.h"
#include "core/dumplist/dumplist.h"
#include "core/dumplist/dumplistfile.h"
#include "core/markers/markertable.h"
#include "core/ui/uiport.h"

#include <algorithm>
#include <climits>

namespace byzel {
namespace {

int clampToInt(std::int64_t n) {
    return static_cast<int>(std::clamp<std::int64_t>(n, INT_MIN, INT_MAX));
}

} // namespace

bool ExportDumpListText(const std::string& path, ExportRange range, int pageCount, int rowsPerPage,
                        bool dumpOnly, const DumpListData& data, Offset& topRow, UiPort& ui,
                        DumpRowRecoder* recoder, const ProgressFn& progress) {
    if (nameTaken(path) && showMessage(ui, msg::AskOverwriteFile, {}, BoxStyle::YesNo) != Yes)
        return false;

    DumpListFile file;
    if (!file.open(path)) {
        showMessage(ui, msg::OpenFailed);
        return false;
    }
    file.recodeRowsWith(recoder);
    file.reportProgressTo(progress);

    const Offset startingTopRow = topRow;
    if (!WriteDumpListText(file, range, pageCount, rowsPerPage, dumpOnly, data, topRow)) {
        if (file.cancelled())
            topRow = startingTopRow;
        else
            showMessage(ui, msg::WriteFailed);
        return false;
    }
    return true;
}

bool WriteDumpListText(DumpListFile& file, ExportRange range, int pageCount, int rowsPerPage,
                       bool dumpOnly, const DumpListData& data, Offset& topRow) {
    int rows = 0;
    switch (range) {
    case ExportRange::WholeFile:
        // Every row, and a file whose size is a multiple of 16 ends with an empty one.
        rows = clampToInt(data.source.size() / kBytesPerRow + 1);
        topRow = 0;
        break;
    case ExportRange::CurrentPage:
        rows = rowsPerPage;
        break;
    case ExportRange::FollowingPages:
        rows = clampToInt(static_cast<std::int64_t>(pageCount) * rowsPerPage);
        break;
    }

    // The data may end before the range does.
    const std::int64_t dataRows = data.source.size() / kBytesPerRow + 1 - topRow;
    file.expectRows(std::clamp<std::int64_t>(dataRows, 0, rows));
    OutputDumpList(data.source, data.markers, topRow, data.remarkColumnStart, rows, file, dumpOnly);
    return file.close();
}

} // namespace byzel

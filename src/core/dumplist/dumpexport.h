#pragma once

#include "core/dumplist/dumplistfile.h"
#include "core/types.h"

#include <string>

namespace byzel {

class ByteSource;
class MarkerTable;
class UiPort;

// Which rows an export writes; the values are those of the "PrintRange" setting.
enum class ExportRange : int {
    WholeFile = 1,
    CurrentPage = 2,
    FollowingPages = 3, // the current page and the following ones, page count pages in all
};

// What the dump list is made of.
struct DumpListData {
    const ByteSource& source;
    const MarkerTable& markers;
    int remarkColumnStart = 0;
};

// Saves rows of the dump list as a text file at path. Asks before overwriting an existing file
// (30005), reports a file that cannot be created (30003) and a failed write (30006), which
// leaves an earlier file of that name as it was. A whole file export sets topRow to 0. Returns
// true when the file was written completely. A recoder rewrites the rows on their way into
// the file. A progress callback that stops the export leaves everything as it was, topRow
// and an earlier file included, and says nothing.
bool ExportDumpListText(const std::string& path, ExportRange range, int pageCount, int rowsPerPage,
                        bool dumpOnly, const DumpListData& data, Offset& topRow, UiPort& ui,
                        DumpRowRecoder* recoder = nullptr, const ProgressFn& progress = {});

// The rows of ExportDumpListText written to a text file that is already open (standard output
// of the command-line tool), which is then closed. Returns false when a write failed.
bool WriteDumpListText(DumpListFile& file, ExportRange range, int pageCount, int rowsPerPage,
                       bool dumpOnly, const DumpListData& data, Offset& topRow);

} // namespace byzel

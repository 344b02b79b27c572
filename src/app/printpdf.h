#pragma once

#include "core/dumplist/dumpexport.h"

#include <string>

namespace byzel {

// Printing the dump list of a file to a PDF without a window. Paths are the bytes given on
// the command line.
struct PrintPdfRequest {
    std::string outputPath;
    ExportRange range = ExportRange::WholeFile;
    int topRow = 0;
    int pageCount = 5;
    bool dumpOnly = false;
    std::string file;
};

// Prints with the stored print settings (paper, orientation, font size, margins) and the
// listing font. The PDF replaces an earlier file of its name only once it is complete.
// Returns the process's exit status; errors go to stderr.
int runPrintPdf(const PrintPdfRequest& request);

} // namespace byzel

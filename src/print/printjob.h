#pragma once

#include "core/dumplist/dumpexport.h"
#include "core/print/pagelayout.h"
#include "core/ui/progress.h"
#include "print/pagerenderer.h"

#include <QFont>
#include <QPageLayout>
#include <QRect>

#include <functional>
#include <string>

class QPagedPaintDevice;

namespace byzel {

class UiPort;

// Where the listing goes on a sheet, in page units from the sheet's top left corner.
struct SheetLayout {
    QPoint origin;
    // Within the margins and within what the printer can print.
    QRect clip;
    int rowsPerPage = 1;
    QFont font;
    CellMetrics metrics;
};

// The listing starts at the top and left margins, never inside the printer's unprintable edge
// (the layout's minimum margins); the rows end at the bottom margin or that edge, whichever
// comes first, and the text is cut at the right margin, as the preview shows it.
[[nodiscard]] SheetLayout layOutSheet(const QPageLayout& layout, const Margins& margins,
                                      const QFont& listingFont, int fontPoints);

// What is printed: the dump list's data, the range and where the view stands.
struct PrintContent {
    const ByteSource& source;
    const MarkerTable& markers;
    int remarkStart = 0;
    bool linkLines = false;
    Offset topRow = 0;
    ExportRange range = ExportRange::CurrentPage;
    int pageCount = kMinPageCount;
    bool dumpOnly = false;
};

enum class PrintOutcome {
    Printed,
    NotStarted, // the device refused the document
    Cancelled,
    Failed, // the output could not be written
};

struct PrintResult {
    PrintOutcome outcome = PrintOutcome::NotStarted;
    int pages = 0;
    int rowsPerPage = 0;
};

// Prints the pages of the range on a device whose page layout is already set, the sheet's
// corner at the painter's origin. The view's top row is not touched.
PrintResult printPages(QPagedPaintDevice& device, const SheetLayout& sheet,
                       const PrintContent& content, const ProgressFn& progress = {});

// Prints to a PDF file at path (bytes). The file appears under its name only once complete:
// a cancelled or failed job leaves an earlier file of that name as it was. A file that cannot
// be created is reported with 30003, a failed write with 30006.
PrintResult printToPdf(const std::string& path, const QPageLayout& layout, const Margins& margins,
                       const QFont& listingFont, int fontPoints, const PrintContent& content,
                       UiPort& ui, const ProgressFn& progress = {});

// A page layout for a paper code and orientation (1 portrait, 2 landscape) without margins or
// unprintable edges, as a PDF sheet has them.
[[nodiscard]] QPageLayout pdfPageLayout(int paperCode, int orientation);

// The document name of a print job.
[[nodiscard]] QString printDocumentName();

} // namespace byzel

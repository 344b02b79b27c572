#include "app/printpdf.h"

#include "app/listingfont.h"
#include "app/qsettingsstore.h"
#include "app/startup.h"
#include "app/tormelapp.h"
#include "core/dumpfile/dumpgeometry.h"
#include "core/ui/consoleui.h"
#include "core/viewmodel/viewgeometry.h"
#include "print/printjob.h"

#include <algorithm>
#include <iostream>

namespace byzel {

int runPrintPdf(const PrintPdfRequest& request) {
    // Nobody is asked anything: questions are answered No, so nothing is saved.
    ConsoleUi ui("byzel");
    QSettingsStore settings;
    CTormelApp app(settings, ui);
    if (!openStartingWork(app, {request.file}) || !app.work().isOpen()) {
        std::cerr << "byzel: cannot print " << request.file << '\n';
        return 1;
    }
    const Work& work = app.work();
    const PrintSettings& print = app.printSettings();
    const Margins margins{print.marginTop, print.marginBottom, print.marginLeft, print.marginRight};
    const int points = settings.readInt(section::Settings, "FontSize");
    const QPageLayout layout = pdfPageLayout(print.paperSize, print.orientation);
    const QFont font = createListingFont(settings, points);

    const Offset top = std::min<Offset>(request.topRow, totalRowsFor(work.dump().size()) - 1);
    int remarkStart = app.view().remarkStart;
    // With linked scrolling the remark column follows the rows shown, as in the view.
    if (work.header().linkedScrollingOn()) {
        const int rows = layOutSheet(layout, margins, font, points).rowsPerPage;
        const Offset first = request.range == ExportRange::WholeFile ? 0 : top;
        if (const auto synced = SyncRemarkColumn(work.markers(), first, rows))
            remarkStart = *synced;
    }
    const PrintContent content{.source = work.dump(),
                               .markers = work.markers(),
                               .remarkStart = remarkStart,
                               .linkLines = work.header().linkLinesOn(),
                               .topRow = top,
                               .range = request.range,
                               .pageCount = request.pageCount,
                               .dumpOnly = request.dumpOnly};
    const PrintResult result =
        printToPdf(request.outputPath, layout, margins, font, points, content, ui);
    return result.outcome == PrintOutcome::Printed ? 0 : 1;
}

} // namespace byzel

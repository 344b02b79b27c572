#include "print/printjob.h"

#include "core/dumpfile/bytesource.h"
#include "core/dumpfile/dumpgeometry.h"
#include "core/dumpfile/replacingfile.h"
#include "core/ui/uiport.h"
#include "print/papercodes.h"
#include "view/dumppainter.h"

#include <QFile>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>

namespace byzel {
namespace {

// Resolution of the PDF files written: fine enough for any printer the file goes to later.
constexpr int kPdfResolution = 600;

QMarginsF minimumMarginsInPoints(const QPageLayout& layout) {
    QPageLayout points(layout);
    points.setUnits(QPageLayout::Point);
    return points.minimumMargins();
}

int toUnits(double points) {
    return static_cast<int>(std::ceil(points * kPageUnitsPerInch / 72.0));
}

} // namespace

QString printDocumentName() {
    return QStringLiteral("ダンプリスト印刷");
}

SheetLayout layOutSheet(const QPageLayout& layout, const Margins& margins, const QFont& listingFont,
                        int fontPoints) {
    SheetLayout sheet;
    const QRect paper = layout.fullRectPixels(kPageUnitsPerInch);
    const QMarginsF edge = minimumMarginsInPoints(layout);
    const int left = printOrigin(margins.left, kPageUnitsPerInch, toUnits(edge.left()));
    const int top = printOrigin(margins.top, kPageUnitsPerInch, toUnits(edge.top()));
    const int right =
        paper.width() -
        std::max(millimetresToPixels(margins.right, kPageUnitsPerInch), toUnits(edge.right()));
    const int bottom =
        paper.height() -
        std::max(millimetresToPixels(margins.bottom, kPageUnitsPerInch), toUnits(edge.bottom()));
    sheet.origin = QPoint(left, top);
    sheet.clip = QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
    sheet.font = pageFont(listingFont, fontPoints, kPageUnitsPerInch);
    sheet.metrics = listingMetrics(sheet.font);
    sheet.rowsPerPage = rowsPerPage(bottom - top, sheet.metrics.lineHeight);
    return sheet;
}

PrintResult printPages(QPagedPaintDevice& device, const SheetLayout& sheet,
                       const PrintContent& content, const ProgressFn& progress) {
    const Offset totalRows = totalRowsFor(content.source.size());
    const PrintPlan plan =
        planPages(content.range, content.pageCount, sheet.rowsPerPage, content.topRow, totalRows);
    PrintResult result{PrintOutcome::NotStarted, 0, sheet.rowsPerPage};
    QPainter painter;
    if (!painter.begin(&device))
        return result;
    // Pages are drawn in page units and scaled to the device.
    const double scaleX = device.logicalDpiX() / double(kPageUnitsPerInch);
    const double scaleY = device.logicalDpiY() / double(kPageUnitsPerInch);
    painter.scale(scaleX, scaleY);

    result.outcome = PrintOutcome::Printed;
    Offset row = plan.firstRow;
    for (int page = 0; page < plan.pages; ++page) {
        if (page > 0 && !device.newPage())
            break;
        drawDumpPage(painter, sheet.font,
                     {content.source, content.markers, row, sheet.rowsPerPage, content.remarkStart,
                      content.linkLines, content.dumpOnly},
                     sheet.origin, sheet.clip);
        ++result.pages;
        if (progress && !progress(result.pages, plan.pages)) {
            result.outcome = PrintOutcome::Cancelled;
            break;
        }
        row += sheet.rowsPerPage;
        if (row >= totalRows)
            break;
    }
    painter.end();
    return result;
}

QPageLayout pdfPageLayout(int paperCode, int orientation) {
    QPageLayout layout(pageSizeOrA4(paperCode),
                       orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(), QPageLayout::Point, QMarginsF());
    layout.setMode(QPageLayout::FullPageMode);
    return layout;
}

PrintResult printToPdf(const std::string& path, const QPageLayout& layout, const Margins& margins,
                       const QFont& listingFont, int fontPoints, const PrintContent& content,
                       UiPort& ui, const ProgressFn& progress) {
    ReplacingFile file;
    if (!file.open(path)) {
        showMessage(ui, msg::OpenFailed, path + "\n");
        return {PrintOutcome::Failed, 0, 0};
    }
    QFile out;
    if (!out.open(file.fd(), QIODevice::WriteOnly, QFileDevice::DontCloseHandle)) {
        showMessage(ui, msg::OpenFailed, path + "\n");
        return {PrintOutcome::Failed, 0, 0};
    }
    // A sheet without unprintable edges: the margins alone place the listing.
    QPageLayout sheetLayout(layout.pageSize(), layout.orientation(), QMarginsF(),
                            QPageLayout::Point, QMarginsF());
    sheetLayout.setMode(QPageLayout::FullPageMode);
    const SheetLayout sheet = layOutSheet(sheetLayout, margins, listingFont, fontPoints);
    PrintResult result;
    {
        QPdfWriter writer(&out);
        writer.setResolution(kPdfResolution);
        writer.setPageLayout(sheetLayout);
        writer.setTitle(printDocumentName());
        writer.setCreator(QStringLiteral("Byzel"));
        result = printPages(writer, sheet, content, progress);
    }
    // Checked before closing, which forgets the error of an earlier write.
    const bool written = out.flush() && out.error() == QFileDevice::NoError;
    out.close();
    if (result.outcome != PrintOutcome::Printed)
        return result;
    if (!written || !file.commit()) {
        showMessage(ui, msg::WriteFailed, path + "\n");
        result.outcome = PrintOutcome::Failed;
    }
    return result;
}

} // namespace byzel

#include "print/pagerenderer.h"

#include "view/dumppainter.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace byzel {

QFont pageFont(const QFont& listingFont, double points, double dotsPerInch) {
    QFont font(listingFont);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * dotsPerInch / 72.0))));
    return font;
}

void drawDumpPage(QPainter& painter, const QFont& font, const DumpPage& page, QPoint origin,
                  const QRect& clip) {
    // No reference point, search hit or value check on paper.
    RenderInput in{.source = page.source,
                   .markers = page.markers,
                   .searchHit = {},
                   .topRow = page.topRow,
                   .visibleRows = page.rows,
                   .remarkStart = page.remarkStart,
                   .referencePointShown = false,
                   .linkLines = page.linkLines,
                   .dumpOnly = page.dumpOnly,
                   .metrics = listingMetrics(font)};

    painter.save();
    // The listing ends with the cells of the page's last row; the renderer would colour the
    // cells of one more, which belongs to the next page.
    const int listingBottom =
        origin.y() - kTextOrigin + (page.rows + 2) * in.metrics.lineHeight + in.metrics.descent;
    painter.setClipRect(
        clip.intersected(QRect(clip.left(), clip.top(), clip.width(), listingBottom - clip.top())));
    // The renderer starts its lines at kTextOrigin.
    painter.translate(origin.x() - kTextOrigin, origin.y() - kTextOrigin);
    RenderDumpList(painter, font, in);
    painter.restore();
}

} // namespace byzel

#include "view/linklinepainter.h"

#include "app/colors.h"

#include <QPainter>

namespace byzel {

void paintLinkLine(QPainter& painter, const PageLinkLine& line) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(toQColor(line.color), 1));
    // Laid out within a band around the page, so the points fit in an int.
    painter.drawLine(static_cast<int>(line.line.x1), static_cast<int>(line.line.y1),
                     static_cast<int>(line.line.x2), static_cast<int>(line.line.y2));
    painter.restore();
}

void paintLinkLines(QPainter& painter, const std::vector<PageLinkLine>& lines) {
    for (const PageLinkLine& line : lines)
        paintLinkLine(painter, line);
}

} // namespace byzel

#include "view/cursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace byzel {
namespace {

// A pencil pointing down-left, its tip at (1, 30) being the hot spot; the mark beside it tells
// the modes apart: a filled cell while laying, a frame for modify mode, both for re-laying.
QPixmap drawCursor(PenCursor kind) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath pencil;
    pencil.moveTo(1, 30);
    pencil.lineTo(4, 22);
    pencil.lineTo(20, 6);
    pencil.lineTo(25, 11);
    pencil.lineTo(9, 27);
    pencil.closeSubpath();
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(Qt::white);
    p.drawPath(pencil);
    p.drawLine(QPointF(4, 22), QPointF(9, 27));
    p.setBrush(Qt::black);
    p.drawPolygon(QPolygonF({QPointF(1, 30), QPointF(2.5, 26), QPointF(5, 28.5)}));

    p.setRenderHint(QPainter::Antialiasing, false);
    const QRect cell(20, 20, 10, 8);
    switch (kind) {
    case PenCursor::Pen:
        break;
    case PenCursor::Laying:
        p.fillRect(cell, Qt::black);
        break;
    case PenCursor::Modify:
        p.setBrush(Qt::NoBrush);
        p.drawRect(cell);
        break;
    case PenCursor::Relaying:
        p.setBrush(Qt::NoBrush);
        p.drawRect(cell);
        p.fillRect(cell.adjusted(2, 2, -1, -1), Qt::black);
        break;
    }
    return pixmap;
}

} // namespace

QCursor penCursor(PenCursor kind) {
    return QCursor(drawCursor(kind), 1, 30);
}

} // namespace byzel

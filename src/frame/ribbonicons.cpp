#include "frame/ribbonicons.h"

#include "app/colors.h"
#include "core/viewmodel/commandids.h"
#include "core/viewmodel/commandstate.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace byzel {
namespace {

// Every icon is drawn on a 32 x 32 grid and scaled to the size asked for.
constexpr int kGrid = 32;
const QColor kInk(0x30, 0x40, 0x60);
const QColor kBlue(0x2A, 0x6F, 0xC9);
const QColor kPaper(0xFF, 0xFF, 0xFF);
const QColor kAccent(0xE0, 0x8A, 0x1E);

using Drawing = std::function<void(QPainter&)>;

QIcon drawnIcon(const Drawing& draw) {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(double(size) / kGrid, double(size) / kGrid);
        draw(p);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QPen ink(const QColor& c = kInk, double width = 2.0) {
    return QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void page(QPainter& p, const QRectF& r = QRectF(6, 3, 20, 26)) {
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - 6, r.top());
    path.lineTo(r.right(), r.top() + 6);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(ink());
    p.setBrush(kPaper);
    p.drawPath(path);
    p.drawLine(QPointF(r.right() - 6, r.top()), QPointF(r.right() - 6, r.top() + 6));
    p.drawLine(QPointF(r.right() - 6, r.top() + 6), QPointF(r.right(), r.top() + 6));
}

void textLines(QPainter& p, double left, double right, double top, int count, double gap = 5) {
    p.setPen(ink(kBlue, 1.6));
    for (int i = 0; i < count; ++i)
        p.drawLine(QPointF(left, top + i * gap), QPointF(right, top + i * gap));
}

void arrow(QPainter& p, QPointF from, QPointF to, const QColor& c = kBlue) {
    p.setPen(ink(c, 3));
    p.drawLine(from, to);
    const QLineF line(to, from);
    QLineF wing1 = line;
    wing1.setLength(7);
    wing1.setAngle(line.angle() + 40);
    QLineF wing2 = line;
    wing2.setLength(7);
    wing2.setAngle(line.angle() - 40);
    p.drawLine(wing1);
    p.drawLine(wing2);
}

void letter(QPainter& p, const QRectF& r, const QString& text, const QColor& c, int pixels,
            bool bold = true) {
    QFont font = p.font();
    font.setPixelSize(pixels);
    font.setBold(bold);
    p.setFont(font);
    p.setPen(c);
    p.drawText(r, Qt::AlignCenter, text);
}

void circleWith(QPainter& p, const QString& text, const QColor& c) {
    p.setPen(ink(c, 2));
    p.setBrush(kPaper);
    p.drawEllipse(QRectF(4, 4, 24, 24));
    letter(p, QRectF(4, 4, 24, 24), text, c, 18);
}

void hexCells(QPainter& p, int highlighted) {
    p.setPen(ink(kInk, 1.2));
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) {
            const QRectF cell(4 + col * 8, 8 + row * 7, 7, 6);
            p.setBrush(row * 3 + col == highlighted ? QBrush(kInk) : QBrush(kPaper));
            p.drawRect(cell);
        }
}

void nib(QPainter& p) {
    QPainterPath tip;
    tip.moveTo(21, 5);
    tip.lineTo(27, 11);
    tip.lineTo(14, 24);
    tip.lineTo(8, 26);
    tip.lineTo(10, 20);
    tip.closeSubpath();
    p.setPen(ink(kInk, 1.5));
    p.setBrush(QColor(0x50, 0x50, 0x50));
    p.drawPath(tip);
}

Drawing drawingFor(int id) {
    switch (id) {
    case ID_FILE_NEW:
        return [](QPainter& p) {
            page(p);
            p.setPen(ink(kAccent, 2.5));
            p.drawLine(QPointF(22, 18), QPointF(22, 28));
            p.drawLine(QPointF(17, 23), QPointF(27, 23));
        };
    case ID_FILE_OPEN:
        return [](QPainter& p) {
            p.setPen(ink());
            p.setBrush(QColor(0xF2, 0xC8, 0x5B));
            p.drawRect(QRectF(3, 9, 24, 18));
            p.drawRect(QRectF(3, 6, 10, 4));
            p.setBrush(QColor(0xF9, 0xDD, 0x8C));
            QPolygonF front({{7, 14}, {30, 14}, {26, 27}, {3, 27}});
            p.drawPolygon(front);
        };
    case ID_FILE_SAVE:
    case ID_FILE_SAVE_AS:
        return [id](QPainter& p) {
            p.setPen(ink());
            p.setBrush(kBlue);
            p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
            p.setBrush(kPaper);
            p.drawRect(QRectF(9, 4, 14, 9));
            p.setBrush(QColor(0xDD, 0xDD, 0xDD));
            p.drawRect(QRectF(8, 18, 16, 10));
            if (id == ID_FILE_SAVE_AS)
                letter(p, QRectF(8, 17, 16, 11), "…", kInk, 10);
        };
    case ID_PRINT_OUT:
        return [](QPainter& p) {
            p.setPen(ink());
            p.setBrush(kPaper);
            p.drawRect(QRectF(9, 3, 14, 10));
            p.setBrush(QColor(0x9A, 0xA8, 0xBC));
            p.drawRoundedRect(QRectF(3, 12, 26, 12), 2, 2);
            p.setBrush(kPaper);
            p.drawRect(QRectF(9, 20, 14, 9));
            textLines(p, 11, 21, 24, 2, 3);
        };
    case ID_KANSET:
        return [](QPainter& p) {
            p.setPen(ink(kInk, 4));
            p.translate(16, 16);
            for (int i = 0; i < 8; ++i) {
                p.drawLine(QPointF(0, 9), QPointF(0, 13));
                p.rotate(45);
            }
            p.setPen(ink(kInk, 2));
            p.setBrush(QColor(0x9A, 0xA8, 0xBC));
            p.drawEllipse(QPointF(0, 0), 9, 9);
            p.setBrush(kPaper);
            p.drawEllipse(QPointF(0, 0), 3.5, 3.5);
        };
    case ID_APP_ABOUT:
        return [](QPainter& p) { circleWith(p, "i", kBlue); };
    case ID_HELP_DSP:
        return [](QPainter& p) { circleWith(p, "?", kBlue); };
    case ID_APP_EXIT:
        return [](QPainter& p) {
            p.setPen(ink());
            p.setBrush(QColor(0xC9, 0x9A, 0x6B));
            p.drawRect(QRectF(5, 3, 14, 26));
            arrow(p, QPointF(14, 16), QPointF(29, 16), QColor(0xC0, 0x30, 0x30));
        };
    case ID_SHOW_MENU:
        return [](QPainter& p) {
            p.setPen(ink(kInk, 3));
            p.drawPolyline(QPolygonF({{8, 19}, {16, 11}, {24, 19}}));
        };
    case ID_RENDOU:
        return [](QPainter& p) {
            page(p, QRectF(2, 4, 12, 24));
            page(p, QRectF(18, 4, 12, 24));
            p.setPen(ink(kAccent, 2.5));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QRectF(8, 12, 9, 8));
            p.drawEllipse(QRectF(15, 12, 9, 8));
        };
    case ID_REM_LINE:
        return [](QPainter& p) {
            p.setPen(ink());
            p.setBrush(QColor(0xFF, 0xFF, 0xAC));
            p.drawRect(QRectF(3, 5, 10, 8));
            p.setBrush(QColor(0xB0, 0xB0, 0xFF));
            p.drawRect(QRectF(19, 19, 10, 8));
            p.setPen(ink(QColor(0xC0, 0x30, 0x30), 2));
            p.drawLine(QPointF(13, 9), QPointF(19, 23));
        };
    case ID_DSP_KIJUN:
        return [](QPainter& p) {
            hexCells(p, 7);
            arrow(p, QPointF(28, 28), QPointF(28, 4));
        };
    case ID_JUMP_TOP:
        return [](QPainter& p) {
            p.setPen(ink(kInk, 3));
            p.drawLine(QPointF(6, 5), QPointF(26, 5));
            arrow(p, QPointF(16, 28), QPointF(16, 8));
        };
    case ID_JUMP_END:
        return [](QPainter& p) {
            p.setPen(ink(kInk, 3));
            p.drawLine(QPointF(6, 27), QPointF(26, 27));
            arrow(p, QPointF(16, 4), QPointF(16, 24));
        };
    case ID_DOC_INFO:
        return [](QPainter& p) {
            page(p);
            textLines(p, 10, 18, 10, 2);
            p.setPen(ink(kBlue, 2));
            p.setBrush(kPaper);
            p.drawEllipse(QRectF(14, 15, 14, 14));
            letter(p, QRectF(14, 15, 14, 14), "i", kBlue, 11);
        };
    case ID_CONSOLE:
        return [](QPainter& p) {
            p.setPen(ink(kInk, 3));
            p.setBrush(QColor(0xD6, 0xE8, 0xFA));
            p.drawEllipse(QRectF(4, 4, 17, 17));
            p.setPen(ink(kInk, 5));
            p.drawLine(QPointF(19, 19), QPointF(28, 28));
        };
    case ID_EDIT_DUMP:
        return [](QPainter& p) {
            p.setPen(ink());
            p.setBrush(kPaper);
            p.drawRect(QRectF(2, 6, 22, 20));
            letter(p, QRectF(2, 6, 22, 10), "0F", kInk, 9);
            letter(p, QRectF(2, 15, 22, 10), "A3", kInk, 9);
            p.translate(6, 4);
            nib(p);
        };
    case ID_NORMAL_MODE:
        return [](QPainter& p) {
            QPolygonF pointer({{9, 3}, {9, 26}, {14, 21}, {18, 29}, {22, 27}, {18, 19}, {25, 19}});
            p.setPen(ink(kInk, 1.8));
            p.setBrush(kPaper);
            p.drawPolygon(pointer);
        };
    case ID_MARKER_UPD:
        return [](QPainter& p) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0xFF, 0xFF, 0xAC));
            p.drawRect(QRectF(8, 9, 16, 14));
            p.setPen(ink(kInk, 2.5));
            p.drawPolyline(QPolygonF({{12, 7}, {8, 7}, {8, 25}, {12, 25}}));
            p.drawPolyline(QPolygonF({{20, 7}, {24, 7}, {24, 25}, {20, 25}}));
            arrow(p, QPointF(12, 16), QPointF(2, 16), kAccent);
            arrow(p, QPointF(20, 16), QPointF(30, 16), kAccent);
        };
    case ID_DSP_VALUE:
        return [](QPainter& p) {
            p.setPen(ink());
            p.setBrush(kPaper);
            p.drawRect(QRectF(2, 8, 28, 16));
            letter(p, QRectF(2, 8, 28, 16), "123", kBlue, 12);
        };
    case ID_DSP_MARK:
        return [](QPainter& p) {
            p.setPen(ink(kInk, 3));
            p.drawLine(QPointF(4, 5), QPointF(28, 5));
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0xB0, 0xB0, 0xFF));
            p.drawRect(QRectF(4, 20, 24, 8));
            arrow(p, QPointF(16, 26), QPointF(16, 9));
        };
    case ID_DEL_ALL_MARK:
        return [](QPainter& p) {
            const QColor bands[] = {QColor(0xFF, 0xFF, 0xAC), QColor(0xB9, 0xB9, 0xFF),
                                    QColor(0xAA, 0xFF, 0xAA)};
            p.setPen(Qt::NoPen);
            for (int i = 0; i < 3; ++i) {
                p.setBrush(bands[i]);
                p.drawRect(QRectF(3, 5 + i * 8, 26, 6));
            }
            p.setPen(ink(QColor(0xC0, 0x30, 0x30), 3.5));
            p.drawLine(QPointF(8, 8), QPointF(24, 26));
            p.drawLine(QPointF(24, 8), QPointF(8, 26));
        };
    case ID_MARK_MENT:
        return [](QPainter& p) {
            const QColor bands[] = {QColor(0xFF, 0xFF, 0xAC), QColor(0xB9, 0xB9, 0xFF),
                                    QColor(0xAA, 0xFF, 0xAA), QColor(0xFF, 0xB0, 0xB0)};
            p.setPen(ink(kInk, 1.2));
            for (int i = 0; i < 4; ++i) {
                p.setBrush(bands[i]);
                p.drawRect(QRectF(3, 4 + i * 7, 6, 5));
            }
            textLines(p, 12, 29, 6.5, 4, 7);
        };
    case ID_BATCH_EDIT:
        return [](QPainter& p) {
            page(p, QRectF(3, 3, 20, 26));
            textLines(p, 7, 17, 10, 4);
            p.translate(5, 3);
            nib(p);
        };
    default:
        return {};
    }
}

} // namespace

QIcon penIcon(ColorRef color) {
    return drawnIcon([color](QPainter& p) {
        p.setPen(ink(kInk, 1.5));
        p.setBrush(toQColor(color));
        p.drawRoundedRect(QRectF(2, 2, 28, 28), 4, 4);
        nib(p);
    });
}

QIcon commandIcon(int id) {
    if (const auto pen = penColorOf(id))
        return penIcon(*pen);
    const Drawing draw = drawingFor(id);
    return draw ? drawnIcon(draw) : QIcon();
}

} // namespace byzel

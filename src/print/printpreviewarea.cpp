#include "print/printpreviewarea.h"

#include <QPainter>

namespace byzel {

PrintPreviewArea::PrintPreviewArea(QSize size, QWidget* parent) : QWidget(parent) {
    setFixedSize(size);
}

void PrintPreviewArea::setPicture(const QImage& picture) {
    m_picture = picture;
    update();
}

void PrintPreviewArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_picture.isNull())
        painter.fillRect(rect(), Qt::white);
    else
        painter.drawImage(0, 0, m_picture);
}

} // namespace byzel

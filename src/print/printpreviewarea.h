#pragma once

#include <QImage>
#include <QWidget>

namespace byzel {

// The frame of the print dialog that shows the preview picture.
class PrintPreviewArea : public QWidget {
    Q_OBJECT
public:
    explicit PrintPreviewArea(QSize size, QWidget* parent = nullptr);
    void setPicture(const QImage& picture);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
};

} // namespace byzel

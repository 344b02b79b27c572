#pragma once

#include "core/types.h"

#include <QColor>
#include <QIcon>
#include <QPixmap>

namespace byzel {

// The one place where 0x00BBGGRR colour references meet Qt colours.
[[nodiscard]] inline QColor toQColor(ColorRef c) {
    return QColor(redOf(c), greenOf(c), blueOf(c));
}
[[nodiscard]] inline ColorRef toColorRef(const QColor& c) {
    return rgb(c.red(), c.green(), c.blue());
}

// A plain square of the colour, for palettes and colour buttons.
[[nodiscard]] inline QIcon colorSwatch(ColorRef c, QSize size = QSize(16, 16)) {
    QPixmap pixmap(size);
    pixmap.fill(toQColor(c));
    return QIcon(pixmap);
}

} // namespace byzel

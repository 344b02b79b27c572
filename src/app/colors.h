#pragma once

#include "core/types.h"

#include <QColor>

namespace byzel {

// The one place where 0x00BBGGRR colour references meet Qt colours.
[[nodiscard]] inline QColor toQColor(ColorRef c) {
    return QColor(redOf(c), greenOf(c), blueOf(c));
}
[[nodiscard]] inline ColorRef toColorRef(const QColor& c) {
    return rgb(c.red(), c.green(), c.blue());
}

} // namespace byzel

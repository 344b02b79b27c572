#include "core/dumpfile/dumpgeometry.h"

#include <algorithm>

namespace byzel {

std::int32_t visibleRowsFor(int clientHeight, int lineHeight) {
    if (lineHeight <= 0)
        return 0;
    return std::max((clientHeight - 10) / lineHeight - 2, 0);
}

VerticalScrollRange verticalScrollRange(std::int32_t totalRows, std::int32_t visibleRows) {
    VerticalScrollRange range;
    range.realMaximum = std::max(totalRows - visibleRows, 0);
    range.scaled = range.realMaximum > kScrollPositionLimit;
    range.maximum = range.scaled ? kScrollPositionLimit : range.realMaximum;
    return range;
}

} // namespace byzel

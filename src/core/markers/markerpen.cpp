#include "core/markers/markerpen.h"

#include "core/text/messages.h"

#include <algorithm>

namespace byzel {

int beginLaying(MarkerTable& markers, Offset offset, Offset lastOffset, ColorRef pen) {
    if (markers.findAt(offset, lastOffset) != -1)
        return msg::MarkerOverlap;
    if (markers.full())
        return msg::MarkerLimit;
    markers.append(offset, offset, pen);
    return 0;
}

void stretchLaying(MarkerTable& markers, Offset anchor, Offset offset) {
    markers.setRange(markers.count() - 1, std::min(anchor, offset), std::max(anchor, offset));
}

int finishLaying(MarkerTable& markers) {
    const int last = markers.count() - 1;
    markers.normalize(last);
    if (markers.overlapsOthers(last)) {
        markers.removeAt(last);
        return msg::MarkerOverlap;
    }
    markers.placeLast();
    return 0;
}

} // namespace byzel

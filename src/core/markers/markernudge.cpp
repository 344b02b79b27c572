#include "core/markers/markernudge.h"

namespace byzel {

bool nudgeMarker(MarkerTable& markers, int index, MarkerNudge nudge, Offset lastOffset) {
    if (index < 0 || index >= markers.count())
        return false;
    const MarkerRecord& r = markers[index];
    Offset start = r.start;
    Offset end = r.end;
    switch (nudge) {
    case MarkerNudge::StartEarlier:
        if (index == 0 ? start <= 0 : start <= markers[index - 1].end + 1)
            return false;
        --start;
        break;
    case MarkerNudge::StartLater:
        if (start >= end)
            return false;
        ++start;
        break;
    case MarkerNudge::EndEarlier:
        if (end <= start)
            return false;
        --end;
        break;
    case MarkerNudge::EndLater:
        if (index == markers.count() - 1 ? end >= lastOffset : end + 1 >= markers[index + 1].start)
            return false;
        ++end;
        break;
    }
    markers.setRange(index, start, end);
    return true;
}

} // namespace byzel

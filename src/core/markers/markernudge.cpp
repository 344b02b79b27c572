#include "core/markers/markernudge.h"

#include <cstdint>

namespace byzel {

bool nudgeMarker(MarkerTable& markers, int index, MarkerNudge nudge, Offset lastOffset) {
    if (index < 0 || index >= markers.count())
        return false;
    const MarkerRecord& r = markers[index];
    // Neighbours read from a foreign file may end at the largest offset: count one past it
    // without wrapping round.
    const auto onePast = [](Offset offset) { return std::int64_t{offset} + 1; };
    Offset start = r.start;
    Offset end = r.end;
    switch (nudge) {
    case MarkerNudge::StartEarlier:
        if (index == 0 ? start <= 0 : start <= onePast(markers[index - 1].end))
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
        if (index == markers.count() - 1 ? end >= lastOffset
                                         : onePast(end) >= markers[index + 1].start)
            return false;
        ++end;
        break;
    }
    markers.setRange(index, start, end);
    return true;
}

} // namespace byzel

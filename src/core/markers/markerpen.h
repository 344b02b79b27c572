#pragma once

#include "core/markers/markertable.h"

namespace byzel {

// Laying a marker with the pen: the press appends a one-byte marker, drags stretch it from the
// anchor, the release checks it and moves it to its sorted place. Each step returns 0 or the
// id of the message the caller shows (30022 overlap, 30012 table full).

// Press in marker mode at offset. On 0 the new marker is the table's last record.
[[nodiscard]] int beginLaying(MarkerTable& markers, Offset offset, Offset lastOffset, ColorRef pen);
// Sets the marker being laid (the last record) to the span between anchor and offset.
void stretchLaying(MarkerTable& markers, Offset anchor, Offset offset);
// Release: an overlapping marker is dropped (30022); otherwise it goes to its sorted place.
[[nodiscard]] int finishLaying(MarkerTable& markers);

} // namespace byzel

#pragma once

#include "core/types.h"

class QWidget;

namespace byzel {

class CTormelApp;

// The CRC-32 report of the bytes from the reference point to the clicked offset (-1 when the
// click was not on a byte). Nothing is shown when the click lies before the reference point,
// when the bytes cannot be read, or when the user stops a long run.
void ReportCrc(CTormelApp& app, Offset clicked, QWidget* parent);

} // namespace byzel

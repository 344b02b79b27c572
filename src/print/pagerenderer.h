#pragma once

#include "core/types.h"
#include "core/viewmodel/viewgeometry.h"

#include <QFont>
#include <QRect>

class QPainter;

namespace byzel {

class ByteSource;
class MarkerTable;

// Pages are laid out and drawn in units of this many per inch, the view's own pixels, and
// scaled to the device: the paper then shows what the screen shows, thin lines included.
inline constexpr int kPageUnitsPerInch = 96;

// The listing font at `points` for a target of dotsPerInch, sized in pixels so that its
// metrics are those of the target.
[[nodiscard]] QFont pageFont(const QFont& listingFont, double points, double dotsPerInch);

// What one page of the dump list shows.
struct DumpPage {
    const ByteSource& source;
    const MarkerTable& markers;
    Offset topRow = 0;
    int rows = 0;
    int remarkStart = 0;
    bool linkLines = false;
    bool dumpOnly = false;
};

// Draws a page with the view's renderer: the header and rule, then the rows with marker cells,
// link lines and remark entries, the first character at `origin`. Nothing is drawn outside
// `clip`, the part of the sheet within the margins.
void drawDumpPage(QPainter& painter, const QFont& font, const DumpPage& page, QPoint origin,
                  const QRect& clip);

} // namespace byzel

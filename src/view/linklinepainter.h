#pragma once

#include "core/viewmodel/linklines.h"

#include <vector>

class QPainter;

namespace byzel {

// Draws link lines on any painter, screen or page, in the coordinates they were laid out in:
// solid, one pixel wide, each in its own colour.
void paintLinkLine(QPainter& painter, const PageLinkLine& line);
void paintLinkLines(QPainter& painter, const std::vector<PageLinkLine>& lines);

} // namespace byzel

#include "core/viewmodel/linklines.h"

#include "core/dumplist/listingcolumns.h"

#include <algorithm>
#include <cmath>

namespace byzel {

namespace {
constexpr int kLinkLineDarkening = 50;

// Lines listed with entries: the listing stops after the data's last, short row.
int listedLines(const LinkLinePage& page) {
    const std::int64_t dataRows = static_cast<std::int64_t>(page.totalRows) - page.topRow;
    return static_cast<int>(
        std::max<std::int64_t>(0, std::min<std::int64_t>(page.visibleRows, dataRows)));
}

std::optional<PageLinkLine> lineOnPage(const MarkerTable& markers, const LinkLinePage& page,
                                       int index, int line) {
    const LinkLine full = linkLineGeometry(markers[index].start, line, page.topRow, page.metrics);
    // A band a few lines beyond the page on both sides: nothing drawn there can show, and the
    // points of lines that run off the page stay small.
    const std::int64_t lh = page.metrics.lineHeight;
    const auto clipped =
        clipLinkLine(full, -2 * lh, (static_cast<std::int64_t>(page.visibleRows) + 6) * lh);
    if (!clipped)
        return std::nullopt;
    return PageLinkLine{index, *clipped, linkLineColor(markers[index].color)};
}
} // namespace

ColorRef linkLineColor(ColorRef markerColor) {
    const auto darker = [](int channel) { return std::max(0, channel - kLinkLineDarkening); };
    return rgb(darker(redOf(markerColor)), darker(greenOf(markerColor)),
               darker(blueOf(markerColor)));
}

LinkLine linkLineGeometry(Offset markerStart, int line, Offset topRow, const CellMetrics& m) {
    const std::int64_t cw = m.charWidth;
    const std::int64_t lh = m.lineHeight;
    const std::int64_t d = static_cast<std::int64_t>(markerStart) - std::int64_t{topRow} * 16;
    // Rows before the top row count down from -1, whatever the sign rules of division.
    const std::int64_t row = d >= 0 ? d / 16 : -((-d + 15) / 16);
    const std::int64_t column = d - 16 * row;
    return {kNumberCellColumn * cw, (line + 2) * lh + lh / 2, (3 * column + kHexColumn + 2) * cw,
            (row + 2) * lh + lh / 2};
}

int remarkEntryIndex(int line, int remarkStart, int markerCount) {
    const std::int64_t index = std::int64_t{remarkStart} + line;
    return index >= 0 && index < markerCount ? static_cast<int>(index) : -1;
}

std::optional<LinkLine> clipLinkLine(const LinkLine& line, std::int64_t top, std::int64_t bottom) {
    LinkLine out = line;
    const auto cut = [&line](std::int64_t y, std::int64_t& x, std::int64_t& yEnd) {
        const double t = static_cast<double>(y - line.y1) / static_cast<double>(line.y2 - line.y1);
        x = line.x1 + std::llround(t * static_cast<double>(line.x2 - line.x1));
        yEnd = y;
    };
    if (std::max(line.y1, line.y2) < top || std::min(line.y1, line.y2) > bottom)
        return std::nullopt;
    // Only a sloping line can cross the band's edges, so y1 != y2 wherever a cut is made.
    if (out.y1 < top)
        cut(top, out.x1, out.y1);
    else if (out.y1 > bottom)
        cut(bottom, out.x1, out.y1);
    if (out.y2 < top)
        cut(top, out.x2, out.y2);
    else if (out.y2 > bottom)
        cut(bottom, out.x2, out.y2);
    return out;
}

std::vector<PageLinkLine> linkLinesOnPage(const MarkerTable& markers, const LinkLinePage& page) {
    std::vector<PageLinkLine> lines;
    const int listed = listedLines(page);
    for (int k = 0; k < listed; ++k) {
        const int index = remarkEntryIndex(k, page.remarkStart, markers.count());
        if (index < 0)
            continue;
        if (auto l = lineOnPage(markers, page, index, k))
            lines.push_back(*l);
    }
    return lines;
}

std::optional<PageLinkLine> linkLineOfMarker(const MarkerTable& markers, const LinkLinePage& page,
                                             int index) {
    const std::int64_t line = std::int64_t{index} - page.remarkStart;
    if (index < 0 || index >= markers.count() || line < 0 || line >= listedLines(page))
        return std::nullopt;
    return lineOnPage(markers, page, index, static_cast<int>(line));
}

} // namespace byzel

#pragma once

#include "core/dumplist/dumpexport.h"
#include "core/types.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace byzel {

// Page arithmetic of printing: paper names, millimetres and pixels, margins, rows per page and
// which rows each printed page starts at. Free of any drawing so that the dialog, the print
// job and the tests agree.

// Name of a paper size code as the print dialog shows it (UTF-8); "その他" for a code not in
// the table of codes 1 to 41.
[[nodiscard]] std::string_view paperName(int code);

// Pixels of a device at dotsPerInch as whole millimetres, rounded to the nearest.
[[nodiscard]] int pixelsToMillimetres(double pixels, double dotsPerInch);
// Millimetres as pixels of a device at dotsPerInch (integer part).
[[nodiscard]] int millimetresToPixels(double millimetres, double dotsPerInch);
// "%d X %dﾐﾘ": the paper size label.
[[nodiscard]] std::string paperSizeLabel(int widthMm, int heightMm);

enum class MarginSide { Top, Bottom, Left, Right };
inline constexpr int kMaxMargin = 50;
[[nodiscard]] constexpr int minMargin(MarginSide side) {
    return side == MarginSide::Bottom ? 15 : 3;
}
// A typed margin brought into its box's range.
[[nodiscard]] int clampMargin(int millimetres, MarginSide side);

// Font sizes the print dialog offers, in points.
inline constexpr std::array<int, 14> kPrintFontSizes{8,  9,  10, 11, 12, 14, 16,
                                                     18, 20, 22, 24, 26, 28, 36};
// Index of a size in kPrintFontSizes; the first item when the size is not offered.
[[nodiscard]] int fontSizeIndex(int points);

// Page count of the "current page and following pages" range.
inline constexpr int kMinPageCount = 2;
inline constexpr int kMaxPageCount = 10;

// The "PrintRange" setting as a range: 1 whole file, 2 current page, anything else the current
// page and the following pages.
[[nodiscard]] ExportRange rangeFromSetting(int value);

// Rows of data a page holds below the header and rule in `height` pixels of lines lineHeight
// high. At least one, so that every page moves the listing on.
[[nodiscard]] int rowsPerPage(int height, int lineHeight);

// Where the listing starts on paper in one direction: the margin, but never inside the edge
// the printer cannot print on.
[[nodiscard]] int printOrigin(int marginMm, double dotsPerInch, int unprintableEdge);

// Pages of a range: the row the first page starts at and how many pages there are. Printing
// ends early when the rows of the data run out.
struct PrintPlan {
    Offset firstRow = 0;
    int pages = 0;
};
[[nodiscard]] PrintPlan planPages(ExportRange range, int pageCount, int rowsPerPage, Offset topRow,
                                  Offset totalRows);

// A rectangle in whole pixels.
struct PageRect {
    int left = 0, top = 0, width = 0, height = 0;
    friend bool operator==(const PageRect&, const PageRect&) = default;
};

// The preview: a picture of the page fitted into an area of the dialog.
struct PreviewLayout {
    PageRect page;      // the sheet, inside the preview area
    PageRect printable; // the part within the margins, in preview area pixels
    // Preview pixels per pixel of the screen at its real size: the page is drawn at this
    // fraction of its printed size.
    double scale = 0;
};
struct Margins {
    int top = 10, bottom = 5, left = 5, right = 20;
};
// Lays the page of paper widthMm x heightMm out in an area of areaWidth x areaHeight pixels
// on a screen of the given resolution.
[[nodiscard]] PreviewLayout layOutPreview(int areaWidth, int areaHeight, int widthMm, int heightMm,
                                          double screenDpiX, double screenDpiY,
                                          const Margins& margins);

} // namespace byzel

#include "core/print/pagelayout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace byzel {
namespace {

// The platform's standard paper codes, as the dialog has always named them.
constexpr std::array<std::string_view, 41> kPaperNames{
    "Letter, 81/2x11ｲﾝﾁ",
    "LetterSmall, 81/2x11ｲﾝﾁ",
    "Tabloid, 11x17ｲﾝﾁ",
    "Ledger, 17x11ｲﾝﾁ",
    "Legal, 81/2x14ｲﾝﾁ",
    "Statement, 51/2x81/2ｲﾝﾁ",
    "Executive, 71/4x101/2ｲﾝﾁ",
    "A3ｼｰﾄ, 297x420mm",
    "A4ｼｰﾄ, 210x297mm",
    "A4smallｼｰﾄ, 210x297mm",
    "A5ｼｰﾄ, 148x210mm",
    "B4ｼｰﾄ, 250x354mm",
    "B5ｼｰﾄ, 182x257mm",
    "Folio, 81/2x13ｲﾝﾁ",
    "Quarto, 215x275mm",
    "10x14ｲﾝﾁｼｰﾄ",
    "11x17ｲﾝﾁｼｰﾄ",
    "Note, 81/2x11ｲﾝﾁ",
    "#9Envelope, 37/8x87/8ｲﾝﾁ",
    "#10Envelope, 41/8x91/2ｲﾝﾁ",
    "#11Envelope, 41/2x103/8ｲﾝﾁ",
    "#12Envelope, 43/4x11ｲﾝﾁ",
    "#14Envelope, 5x111/2ｲﾝﾁ",
    "Cｼｰﾄ, 17x22ｲﾝﾁ",
    "Dｼｰﾄ, 22x34ｲﾝﾁ",
    "Eｼｰﾄ, 34x44ｲﾝﾁ",
    "DLEnvelope, 110x220mm",
    "C5Envelope, 162x229mm",
    "C3Envelope, 324x458mm",
    "C4Envelope, 229x324mm",
    "C6Envelope, 114x162mm",
    "C65Envelope, 114x229mm",
    "B4Envelope, 250x353mm",
    "B5Envelope, 176x250mm",
    "B6Envelope, 176x125mm",
    "ItalyEnvelope, 110x230mm",
    "MonarchEnvelope, 37/8x71/2ｲﾝﾁ",
    "63/4Envelope, 35/8x61/2ｲﾝﾁ",
    "USStdFanfold, 147/8x11ｲﾝﾁ",
    "GermanStdFanfold, 81/2x12ｲﾝﾁ",
    "GermanLegalFanfold, 81/2x13ｲﾝﾁ",
};

constexpr double kMillimetresPerInch = 25.4;

} // namespace

std::string_view paperName(int code) {
    if (code < 1 || code > static_cast<int>(kPaperNames.size()))
        return "その他";
    return kPaperNames[static_cast<size_t>(code - 1)];
}

int pixelsToMillimetres(double pixels, double dotsPerInch) {
    if (dotsPerInch <= 0)
        return 0;
    return static_cast<int>(std::lround(pixels / dotsPerInch * kMillimetresPerInch));
}

int millimetresToPixels(double millimetres, double dotsPerInch) {
    return static_cast<int>(millimetres * dotsPerInch / kMillimetresPerInch);
}

std::string paperSizeLabel(int widthMm, int heightMm) {
    char text[48];
    std::snprintf(text, sizeof text, "%d X %dﾐﾘ", widthMm, heightMm);
    return text;
}

int clampMargin(int millimetres, MarginSide side) {
    return std::clamp(millimetres, minMargin(side), kMaxMargin);
}

int fontSizeIndex(int points) {
    const auto it = std::find(kPrintFontSizes.begin(), kPrintFontSizes.end(), points);
    return it == kPrintFontSizes.end() ? 0 : static_cast<int>(it - kPrintFontSizes.begin());
}

ExportRange rangeFromSetting(int value) {
    switch (value) {
    case 1:
        return ExportRange::WholeFile;
    case 2:
        return ExportRange::CurrentPage;
    default:
        return ExportRange::FollowingPages;
    }
}

int rowsPerPage(int height, int lineHeight) {
    if (lineHeight <= 0)
        return 1;
    return std::max(1, height / lineHeight - 2);
}

int printOrigin(int marginMm, double dotsPerInch, int unprintableEdge) {
    return std::max(millimetresToPixels(marginMm, dotsPerInch), unprintableEdge);
}

PrintPlan planPages(ExportRange range, int pageCount, int rowsPerPage, Offset topRow,
                    Offset totalRows) {
    rowsPerPage = std::max(1, rowsPerPage);
    PrintPlan plan{topRow, 1};
    switch (range) {
    case ExportRange::WholeFile:
        plan.firstRow = 0;
        plan.pages = static_cast<int>((std::int64_t{totalRows} + rowsPerPage - 1) / rowsPerPage);
        return plan;
    case ExportRange::CurrentPage:
        return plan;
    case ExportRange::FollowingPages:
        break;
    }
    // Pages past the last row of the data are not printed.
    const std::int64_t remaining = std::int64_t{totalRows} - topRow;
    const auto needed =
        static_cast<int>(std::max<std::int64_t>(1, (remaining + rowsPerPage - 1) / rowsPerPage));
    plan.pages = std::min(std::max(1, pageCount), needed);
    return plan;
}

PreviewLayout layOutPreview(int areaWidth, int areaHeight, int widthMm, int heightMm,
                            double screenDpiX, double screenDpiY, const Margins& margins) {
    PreviewLayout out;
    if (widthMm <= 0 || heightMm <= 0 || screenDpiX <= 0 || screenDpiY <= 0)
        return out;
    // Room for the shadow and a border around the sheet.
    constexpr int kBorder = 28;
    constexpr int kOffset = 16;
    PageRect& page = out.page;
    if (widthMm < heightMm) {
        page.height = areaHeight - kBorder;
        page.width = page.height * widthMm / heightMm;
        page.left = (areaWidth - page.width) / 2;
        page.top = kOffset;
    } else {
        page.width = areaWidth - kBorder;
        page.height = page.width * heightMm / widthMm;
        page.left = kOffset;
        page.top = (areaHeight - page.height) / 2;
    }
    out.scale = (page.height / screenDpiY * kMillimetresPerInch) / heightMm;
    const auto toPixels = [&](int mm, double dpi) {
        return static_cast<int>(mm * dpi / kMillimetresPerInch * out.scale);
    };
    const int top = toPixels(margins.top, screenDpiY);
    const int bottom = toPixels(margins.bottom, screenDpiY);
    const int left = toPixels(margins.left, screenDpiX);
    const int right = toPixels(margins.right, screenDpiX);
    out.printable = {page.left + left, page.top + top, std::max(0, page.width - left - right),
                     std::max(0, page.height - top - bottom)};
    return out;
}

} // namespace byzel

#include "print/papercodes.h"

#include <array>
#include <utility>

namespace byzel {
namespace {

using Id = QPageSize::PageSizeId;

// Codes with the Qt size of the same sheet.
constexpr std::array<std::pair<int, Id>, 36> kCodes{{
    {1, QPageSize::Letter},      {2, QPageSize::LetterSmall},
    {3, QPageSize::Tabloid},     {4, QPageSize::Ledger},
    {5, QPageSize::Legal},       {6, QPageSize::Statement},
    {7, QPageSize::Executive},   {8, QPageSize::A3},
    {9, QPageSize::A4},          {10, QPageSize::A4Small},
    {11, QPageSize::A5},         {12, QPageSize::B4},
    {13, QPageSize::JisB5},      {14, QPageSize::FanFoldGermanLegal},
    {15, QPageSize::Quarto},     {16, QPageSize::Imperial10x14},
    {17, QPageSize::Tabloid},    {18, QPageSize::Note},
    {19, QPageSize::Envelope9},  {20, QPageSize::Envelope10},
    {21, QPageSize::Envelope11}, {22, QPageSize::Envelope12},
    {23, QPageSize::Envelope14}, {24, QPageSize::ArchC},
    {25, QPageSize::ArchD},      {26, QPageSize::ArchE},
    {27, QPageSize::EnvelopeDL}, {28, QPageSize::EnvelopeC5},
    {29, QPageSize::EnvelopeC3}, {30, QPageSize::EnvelopeC4},
    {31, QPageSize::EnvelopeC6}, {32, QPageSize::EnvelopeC65},
    {33, QPageSize::EnvelopeB4}, {34, QPageSize::EnvelopeB5},
    {35, QPageSize::EnvelopeB6}, {36, QPageSize::EnvelopeItalian},
}};
// Codes 37 to 41 and sizes Qt has under one name only.
constexpr std::array<std::pair<int, Id>, 5> kMoreCodes{{
    {37, QPageSize::EnvelopeMonarch},
    {38, QPageSize::EnvelopePersonal},
    {39, QPageSize::FanFoldUS},
    {40, QPageSize::FanFoldGerman},
    {41, QPageSize::FanFoldGermanLegal},
}};

} // namespace

QPageSize::PageSizeId pageSizeForCode(int code) {
    for (const auto& [c, id] : kCodes)
        if (c == code)
            return id;
    for (const auto& [c, id] : kMoreCodes)
        if (c == code)
            return id;
    return QPageSize::Custom;
}

int codeForPageSize(QPageSize::PageSizeId id) {
    // The first code listed for a size is its own; Folio reads back as German legal fanfold,
    // the same sheet.
    for (const auto& [c, i] : kCodes)
        if (i == id && c != 14)
            return c;
    for (const auto& [c, i] : kMoreCodes)
        if (i == id)
            return c;
    return 0;
}

QPageSize pageSizeOrA4(int code) {
    const Id id = pageSizeForCode(code);
    return QPageSize(id == QPageSize::Custom ? QPageSize::A4 : id);
}

} // namespace byzel

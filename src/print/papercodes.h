#pragma once

#include <QPageSize>

namespace byzel {

// The settings keep paper as the standard paper codes of the platform the program comes from
// (9 is A4); Qt names page sizes its own way. Codes without a Qt size map to Custom, sizes
// without a code to 0, which the dialog names "その他".
[[nodiscard]] QPageSize::PageSizeId pageSizeForCode(int code);
[[nodiscard]] int codeForPageSize(QPageSize::PageSizeId id);
// A page size for a stored code; A4 for a code Qt has no size for.
[[nodiscard]] QPageSize pageSizeOrA4(int code);

} // namespace byzel

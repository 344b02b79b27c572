#pragma once

#include <QCursor>

namespace byzel {

// The pointer shapes of the pen modes, drawn by the program itself.
enum class PenCursor { Pen, Laying, Modify, Relaying };
[[nodiscard]] QCursor penCursor(PenCursor kind);

} // namespace byzel

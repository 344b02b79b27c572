#pragma once

#include "core/types.h"

#include <QIcon>

namespace byzel {

// Icons of the ribbon's commands, drawn at run time so that they stay sharp at every size.
[[nodiscard]] QIcon commandIcon(int id);
// A square of the given colour with a pen nib on it: the pen commands and the colour button.
[[nodiscard]] QIcon penIcon(ColorRef color);

} // namespace byzel

#pragma once

#include <string>
#include <string_view>

namespace byzel {

// "1234567" -> "1,234,567". Texts of three characters or less, or of more than 24, come back
// unchanged. Callers pass non-negative decimal digits only.
[[nodiscard]] std::string groupThousands(std::string_view digits);

} // namespace byzel

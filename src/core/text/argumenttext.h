#pragma once

#include <string>
#include <string_view>

namespace byzel {

// Program arguments are bytes, and a file name need not be UTF-8 (Shift-JIS names unpacked from
// Windows archives are common). To pass them through a text-based option parser without losing
// a byte, the UTF-8 parts become their characters and every other byte the lone code unit
// 0xDC00 + byte, which no UTF-8 text yields; argumentBytes turns that text back into the very
// bytes given.
[[nodiscard]] std::u16string argumentText(std::string_view bytes);
[[nodiscard]] std::string argumentBytes(std::u16string_view text);

} // namespace byzel

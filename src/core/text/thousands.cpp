#include "core/text/thousands.h"

namespace byzel {

std::string groupThousands(std::string_view digits) {
    const size_t n = digits.size();
    if (n <= 3 || n > 24)
        return std::string(digits);
    std::string out;
    out.reserve(n + n / 3);
    for (size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out.push_back(',');
        out.push_back(digits[i]);
    }
    return out;
}

} // namespace byzel

#include "core/markers/remarktext.h"

#include "core/markers/markerrecord.h"
#include "core/text/sjis.h"

#include <algorithm>

namespace byzel {
namespace {

// Byte length of the UTF-8 sequence starting with b (1 for a stray byte).
std::size_t utf8Length(unsigned char b) {
    if (b >= 0xF0)
        return 4;
    if (b >= 0xE0)
        return 3;
    if (b >= 0xC0)
        return 2;
    return 1;
}

std::string withCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            out += '\r';
        out += text[i];
    }
    return out;
}

} // namespace

std::string remarkFromUtf8(std::string_view utf8) {
    const std::string text = withCrLf(utf8);
    if (auto whole = utf8ToCp932(text))
        return *whole;
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n =
            std::min(utf8Length(static_cast<unsigned char>(text[i])), text.size() - i);
        const auto one = utf8ToCp932(text.substr(i, n));
        out += one ? *one : std::string("?");
        i += n;
    }
    return out;
}

std::string remarkToUtf8(std::string_view sjis) {
    std::string text = cp932ToUtf8(sjis);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            out += text[i];
    return out;
}

std::string_view fittingRemark(std::string_view sjis) {
    return sjisPrefix(sjis, kMaxRemarkBytes);
}

} // namespace byzel

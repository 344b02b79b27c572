#include "core/settings/fontnamelist.h"

#include "core/text/sjis.h"

#include <algorithm>

namespace byzel {
namespace {

bool isSpecialFace(const std::string& name) {
    return !name.empty() && std::string_view("@%$&").find(name.front()) != std::string_view::npos;
}

// Length as the setting stores it; a name without a Shift-JIS form counts its UTF-8 bytes.
std::size_t storedLength(const std::string& name) {
    const auto sjis = utf8ToCp932(name);
    return sjis ? sjis->size() : name.size();
}

} // namespace

std::vector<std::string> selectableFontNames(const std::vector<std::string>& faces) {
    std::vector<std::string> names;
    for (const std::string& face : faces) {
        if (face.empty() || isSpecialFace(face))
            continue;
        if (std::find(names.begin(), names.end(), face) != names.end())
            continue;
        if (names.size() >= kMaxFontNames || storedLength(face) >= kFontNameByteLimit)
            continue;
        names.push_back(face);
    }
    return names;
}

} // namespace byzel

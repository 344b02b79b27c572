#include "core/ui/uiport.h"

namespace byzel {

int showMessage(UiPort& ui, int id, std::string_view lead, BoxStyle style) {
    std::string_view text = stringText(id);
    if (text.empty())
        return NoButton;
    std::string full;
    full.reserve(lead.size() + text.size());
    full.append(lead).append(text);
    return ui.showMessageBox(id, full, style);
}

std::vector<FileFilter> parseFileFilter(std::string_view filter) {
    std::vector<std::string_view> parts;
    while (!filter.empty()) {
        auto bar = filter.find('|');
        parts.push_back(filter.substr(0, bar));
        if (bar == std::string_view::npos)
            break;
        filter.remove_prefix(bar + 1);
    }
    std::vector<FileFilter> filters;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty())
            break;
        FileFilter f{std::string(parts[i]), {}};
        std::string_view patterns = parts[i + 1];
        while (!patterns.empty()) {
            auto semi = patterns.find(';');
            if (auto p = patterns.substr(0, semi); !p.empty())
                f.patterns.emplace_back(p);
            if (semi == std::string_view::npos)
                break;
            patterns.remove_prefix(semi + 1);
        }
        filters.push_back(std::move(f));
    }
    return filters;
}

} // namespace byzel

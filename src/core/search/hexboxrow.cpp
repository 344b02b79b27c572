#include "core/search/hexboxrow.h"

#include "core/settings/settings.h"
#include "core/ui/uiport.h"

#include <algorithm>
#include <cctype>

namespace byzel {
namespace {

std::string recentPrefix(int rowId) {
    return rowId == kReplaceRowId ? "Replace" : "Search";
}

std::string upper(std::string text) {
    std::ranges::transform(text, text.begin(),
                           [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

} // namespace

HexRowReading ReadHexBoxRow(std::vector<std::string>& boxes, int firstId, bool emptyAllowed,
                            UiPort& ui, SettingsStore& settings) {
    HexRowReading reading;
    std::size_t rowEnd = boxes.size();
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        std::string& box = boxes[i];
        if (box.size() == 1) {
            if (!IsHexDigitText(box, ui)) {
                reading.focusBox = static_cast<int>(i);
                return reading;
            }
            const std::string lead = "｢" + box + "｣ は ｢0" + box + "｣と\n";
            if (showMessage(ui, msg::AskPadHexDigit, lead, BoxStyle::YesNo) != Yes) {
                reading.focusBox = static_cast<int>(i);
                return reading;
            }
            box = "0" + box;
        } else if (box.size() == 2) {
            if (!isCapitalHexText(box.substr(0, 1)) || !isCapitalHexText(box.substr(1, 1))) {
                showMessage(ui, msg::EnterHex, {}, BoxStyle::Error);
                reading.focusBox = static_cast<int>(i);
                return reading;
            }
        } else {
            rowEnd = i;
            break;
        }
    }
    if (rowEnd == 0 && !emptyAllowed) {
        showMessage(ui, msg::EnterSearchText, {}, BoxStyle::Error);
        reading.focusBox = 0;
        return reading;
    }
    std::string entry;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const std::string text = i < rowEnd ? boxes[i] : std::string();
        if (i < rowEnd)
            reading.bytes.push_back(HexPairToByte(text));
        entry += text;
        settings.writeText(section::Last, std::to_string(firstId + static_cast<int>(i)), text);
    }
    if (firstId == kSearchRowId || firstId == kReplaceRowId)
        UpdateRecentPatterns(settings, firstId, entry);
    reading.ok = true;
    return reading;
}

std::vector<std::string> storedHexRow(const SettingsStore& settings, int firstId, int count) {
    std::vector<std::string> boxes;
    for (int i = 0; i < count; ++i)
        boxes.push_back(upper(settings.readText(section::Last, std::to_string(firstId + i))));
    return boxes;
}

void UpdateRecentPatterns(SettingsStore& settings, int rowId, std::string_view entry) {
    std::vector<std::string> list{std::string(entry)};
    for (const std::string& stored : recentPatterns(settings, rowId)) {
        if (list.size() == kRecentPatternCount)
            break;
        if (stored != entry)
            list.push_back(stored);
    }
    list.resize(kRecentPatternCount);
    const std::string prefix = recentPrefix(rowId);
    for (int i = 0; i < kRecentPatternCount; ++i)
        settings.writeText(section::Recent, prefix + std::to_string(i),
                           list[static_cast<std::size_t>(i)]);
}

std::vector<std::string> recentPatterns(const SettingsStore& settings, int rowId) {
    std::vector<std::string> list;
    const std::string prefix = recentPrefix(rowId);
    for (int i = 0; i < kRecentPatternCount; ++i)
        list.push_back(settings.readText(section::Recent, prefix + std::to_string(i)));
    return list;
}

std::string recentMenuText(std::string_view entry) {
    return std::string(entry) + "(" + HexTextToString(upper(std::string(entry))) + ")";
}

std::vector<std::string> entryToBoxes(std::string_view entry, int count) {
    std::vector<std::string> boxes(static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < boxes.size() && i * 2 < entry.size(); ++i)
        boxes[i] = upper(std::string(entry.substr(i * 2, 2)));
    return boxes;
}

std::vector<std::string> textToBoxes(std::string_view bytes, int count) {
    std::vector<std::string> boxes(static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < boxes.size() && i < bytes.size(); ++i) {
        const auto b = static_cast<std::uint8_t>(bytes[i]);
        boxes[i] = upper(BytesToHexText(std::span(&b, 1)));
    }
    return boxes;
}

} // namespace byzel

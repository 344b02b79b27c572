#include "core/viewmodel/commandstate.h"

#include "core/viewmodel/commandids.h"
#include "core/markers/markerrecord.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <limits>

namespace byzel {
namespace {

// The pen commands in the order of the standard marker colours.
constexpr std::array<int, 8> kPenCommands = {
    ID_MARKER_YELLOW, ID_MARKER_BLUE, ID_MARKER_RED,     ID_MARKER_GREEN,
    ID_MARKER_GLAY,   ID_MARKER_CYAN, ID_MARKER_MAZENTA, ID_MARKER_SILVER,
};

bool isStandardColor(ColorRef color) {
    return std::find(kStandardColors.begin(), kStandardColors.end(), color) !=
           kStandardColors.end();
}

} // namespace

std::optional<ColorRef> penColorOf(int id) {
    const auto* it = std::find(kPenCommands.begin(), kPenCommands.end(), id);
    if (it == kPenCommands.end())
        return std::nullopt;
    return kStandardColors[static_cast<std::size_t>(it - kPenCommands.begin())];
}

CommandState commandState(int id, const CommandContext& c) {
    const bool markerMode = c.mode == InteractionMode::Marker;
    const bool hasMarkers = c.markerCount > 0;
    if (const auto pen = penColorOf(id))
        return {c.fileOpen, markerMode && c.penColor == *pen};

    switch (id) {
    case ID_FILE_SAVE:
        return {c.fileOpen && c.named, false};
    case ID_FILE_SAVE_AS:
    case ID_PRINT_OUT:
    case ID_DSP_KIJUN:
    case ID_JUMP_TOP:
    case ID_JUMP_END:
    case ID_DOC_INFO:
    case ID_CONSOLE:
    case ID_EDIT_DUMP:
        return {c.fileOpen, false};
    case ID_RENDOU:
        return {c.fileOpen && hasMarkers, c.linkedScrolling};
    case ID_REM_LINE:
        return {c.fileOpen && hasMarkers, c.linkLines};
    case ID_DSP_HIT:
    case ID_HIT_CLEAR:
        return {c.searchHit, false};
    case ID_ETC_COL:
        return {c.fileOpen, markerMode && !isStandardColor(c.penColor)};
    case ID_NORMAL_MODE:
        return {true, c.mode == InteractionMode::Normal};
    case ID_MARKER_UPD:
        return {c.fileOpen, c.mode == InteractionMode::Modify};
    case ID_DSP_VALUE:
        return {true, c.mode == InteractionMode::ValueCheck};
    case ID_DSP_MARK:
        return {hasMarkers, false};
    case ID_DEL_ALL_MARK:
    case ID_MARK_MENT:
    case ID_BATCH_EDIT:
        return {hasMarkers && !markerMode, false};
    default:
        return {};
    }
}

int markerNumberOf(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    // Anything beyond the int range is far past the largest marker number anyway.
    long long n = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        n = std::min<long long>(n * 10 + (text[i] - '0'), std::numeric_limits<int>::max());
    return static_cast<int>(negative ? -n : n);
}

std::string limitedMarkerNumber(std::string_view text, int markerCount) {
    const int n = markerNumberOf(text);
    if (n < 1)
        return "1";
    if (n > markerCount)
        return std::to_string(markerCount);
    return std::string(text);
}

} // namespace byzel

#pragma once

#include "core/search/hextext.h"

#include <string>
#include <string_view>
#include <vector>

namespace byzel {

class SettingsStore;
class UiPort;

// The rows of hexadecimal boxes of the search console, by the id of their first box; the id of
// each box is its name under "Last".
inline constexpr int kSearchRowId = 8000;
inline constexpr int kOffsetRowId = 8100;
inline constexpr int kReplaceRowId = 8200;
inline constexpr int kSearchRowBoxes = 12;
inline constexpr int kOffsetRowBoxes = 3;
inline constexpr int kReplaceRowBoxes = 20;
// Entries of each recent pattern list.
inline constexpr int kRecentPatternCount = 7;

struct HexRowReading {
    bool ok = false;
    ByteString bytes;
    // Index of the box that should get the focus after a failure.
    int focusBox = -1;
};

// Reads a row of hexadecimal boxes into bytes. The row ends at the first empty box or one of
// three or more characters. A single digit X is read as 0X when the user agrees, and the box
// then shows 0X. Stores every box of the row under "Last" (those after the row's end as empty)
// and, for the search and replacement rows, puts the row first in its recent list.
HexRowReading ReadHexBoxRow(std::vector<std::string>& boxes, int firstId, bool emptyAllowed,
                            UiPort& ui, SettingsStore& settings);

// Box texts of a row as stored under "Last".
[[nodiscard]] std::vector<std::string> storedHexRow(const SettingsStore& settings, int firstId,
                                                    int count);

// Puts entry first in the recent list of the search or replacement row, keeping the other
// entries in order without duplicates of it, seven in all.
void UpdateRecentPatterns(SettingsStore& settings, int rowId, std::string_view entry);
[[nodiscard]] std::vector<std::string> recentPatterns(const SettingsStore& settings, int rowId);
// What the recent menu shows for an entry: "414243(ABC)".
[[nodiscard]] std::string recentMenuText(std::string_view entry);
// An entry cut into box texts, two digits per box, empty boxes after it.
[[nodiscard]] std::vector<std::string> entryToBoxes(std::string_view entry, int count);
// Text bytes (Shift-JIS) as box texts: the first count bytes, empty boxes after them.
[[nodiscard]] std::vector<std::string> textToBoxes(std::string_view bytes, int count);

} // namespace byzel

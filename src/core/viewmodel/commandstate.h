#pragma once

#include "core/types.h"
#include "core/viewmodel/viewstate.h"

#include <optional>
#include <string>
#include <string_view>

namespace byzel {

// What the update rules of the commands look at.
struct CommandContext {
    bool fileOpen = false;
    // The work has a marker file to save to.
    bool named = false;
    int markerCount = 0;
    InteractionMode mode = InteractionMode::Normal;
    ColorRef penColor = kDefaultPenColor;
    bool searchHit = false;
    bool linkLines = false;
    bool linkedScrolling = false;
};

struct CommandState {
    bool enabled = true;
    bool checked = false;
    friend bool operator==(const CommandState&, const CommandState&) = default;
};

// Whether the command with this id is enabled and checked now. Ids without a rule are always
// enabled and never checked.
[[nodiscard]] CommandState commandState(int id, const CommandContext& context);

// The colour a pen command lays markers in; nothing for other commands.
[[nodiscard]] std::optional<ColorRef> penColorOf(int id);

// The marker number box's text read as a decimal number: an optional sign and the digits up to
// the first other character; 0 when there are none.
[[nodiscard]] int markerNumberOf(std::string_view text);
// The text the marker number box holds after its number was limited to 1 .. markerCount.
[[nodiscard]] std::string limitedMarkerNumber(std::string_view text, int markerCount);

} // namespace byzel

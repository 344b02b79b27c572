#pragma once

#include "core/text/messages.h"
#include "core/types.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace byzel {

// What a file chooser needs to know. Texts are UTF-8.
struct FileDialogRequest {
    std::string title;
    // Windows-style filter list, "name(*.ext)|*.ext|name2|*.a;*.b||".
    std::string filter;
    // Extension added when the user types a name without one; empty for none.
    std::string defaultExtension;
    // Folder (or a file whose folder) the chooser starts in; empty for the platform's choice.
    std::string initialPath;
    // File name proposed in a save chooser.
    std::string proposedName;
};

struct FileFilter {
    std::string name;
    std::vector<std::string> patterns;
};
[[nodiscard]] std::vector<FileFilter> parseFileFilter(std::string_view filter);

// Every question, message, file chooser and colour chooser of the core goes through this
// interface, so that the desktop program shows real dialogs and tests answer from a script.
class UiPort {
public:
    virtual ~UiPort() = default;

    // Shows text (UTF-8) with the caption "Byzel"; returns the Button pressed.
    virtual int showMessageBox(int messageId, const std::string& text, BoxStyle style) = 0;
    // Full path chosen, or an empty string when the user cancelled.
    virtual std::string chooseOpenFile(const FileDialogRequest& request) = 0;
    virtual std::string chooseSaveFile(const FileDialogRequest& request) = 0;
    virtual std::optional<ColorRef> chooseColor(ColorRef initial) = 0;
};

// Shows string-table message id with lead text in front of it (a path and "\n", a count ...).
// Returns the button pressed, or NoButton without showing anything when the id has no text.
int showMessage(UiPort& ui, int id, std::string_view lead = {}, BoxStyle style = BoxStyle::Error);

} // namespace byzel

#include "core/ui/consoleui.h"

namespace byzel {

int ConsoleUi::showMessageBox(int messageId, const std::string& text, BoxStyle style) {
    if (messageId == msg::AskOverwriteFile && m_overwriteAllowed)
        return Yes;
    switch (style) {
    case BoxStyle::Error:
        print(m_prefix, text);
        return Ok;
    case BoxStyle::Information:
        print(m_prefix, text);
        return Ok;
    case BoxStyle::YesNo:
        print(m_prefix, text + " -> No (nobody is asked here)");
        return No;
    case BoxStyle::YesNoCancel:
        print(m_prefix, text + " -> Cancel (nobody is asked here)");
        return Cancel;
    }
    return NoButton;
}

void ConsoleUi::error(const std::string& text) {
    print(m_prefix, text);
}

void ConsoleUi::note(const std::string& text) {
    print(m_prefix + "note: ", text);
}

void ConsoleUi::warning(const std::string& text) {
    print(m_prefix + "warning: ", text);
}

void ConsoleUi::print(const std::string& prefix, const std::string& text) {
    // The core puts a path on a line of its own in front of a message; one line reads better
    // in a terminal and in logs.
    std::string line = prefix;
    for (char c : text)
        line += c == '\n' ? std::string(": ") : std::string(1, c);
    line += '\n';
    std::fputs(line.c_str(), m_out);
    std::fflush(m_out);
}

} // namespace byzel

#include "cli/consoleui.h"

namespace byzel::cli {

int ConsoleUi::showMessageBox(int messageId, const std::string& text, BoxStyle style) {
    if (messageId == msg::AskOverwriteFile && m_overwriteAllowed)
        return Yes;
    switch (style) {
    case BoxStyle::Error:
        print("byzel-cli: ", text);
        return Ok;
    case BoxStyle::Information:
        print("byzel-cli: ", text);
        return Ok;
    case BoxStyle::YesNo:
        print("byzel-cli: ", text + " -> No (no questions are asked on the command line)");
        return No;
    case BoxStyle::YesNoCancel:
        print("byzel-cli: ", text + " -> Cancel (no questions are asked on the command line)");
        return Cancel;
    }
    return NoButton;
}

void ConsoleUi::error(const std::string& text) {
    print("byzel-cli: ", text);
}

void ConsoleUi::note(const std::string& text) {
    print("byzel-cli: note: ", text);
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

} // namespace byzel::cli

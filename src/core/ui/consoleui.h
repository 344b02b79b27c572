#pragma once

#include "core/ui/uiport.h"

#include <cstdio>
#include <string>

namespace byzel {

// Messages of the core for programs without windows: written to standard error as UTF-8 text,
// one line each, after the program's name. Nobody is there to answer, so questions are answered No
// (Cancel where offered) and file choosers are cancelled; only the question whether to overwrite a
// file is answered Yes, and only when the user allowed it with --force.
class ConsoleUi final : public UiPort {
public:
    explicit ConsoleUi(std::string programName, std::FILE* out = stderr)
        : m_prefix(std::move(programName) + ": "), m_out(out) {}

    void allowOverwrite(bool allowed) { m_overwriteAllowed = allowed; }

    int showMessageBox(int messageId, const std::string& text, BoxStyle style) override;
    std::string chooseOpenFile(const FileDialogRequest&) override { return {}; }
    std::string chooseSaveFile(const FileDialogRequest&) override { return {}; }
    std::optional<ColorRef> chooseColor(ColorRef) override { return std::nullopt; }

    // A message of the program itself, in the same form.
    void error(const std::string& text);
    void note(const std::string& text);
    void warning(const std::string& text);

private:
    void print(const std::string& prefix, const std::string& text);

    std::string m_prefix;
    std::FILE* m_out;
    bool m_overwriteAllowed = false;
};

} // namespace byzel

#pragma once

#include "core/ui/uiport.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace byzel::testing {

// A UiPort for tests: answers questions from a script and records everything it was shown.
// Unscripted questions are answered with the box's first button (OK or Yes) and dialogs are
// cancelled, so a test fails on its assertions rather than hanging.
class ScriptedUi : public UiPort {
public:
    struct Shown {
        int id;
        std::string text;
        BoxStyle style;
    };

    ScriptedUi& answer(int button) {
        m_buttons.push_back(button);
        return *this;
    }
    ScriptedUi& chooseFile(std::string path) {
        m_files.push_back(std::move(path));
        return *this;
    }
    ScriptedUi& chooseColorAnswer(std::optional<ColorRef> color) {
        m_colors.push_back(color);
        return *this;
    }

    int showMessageBox(int messageId, const std::string& text, BoxStyle style) override {
        m_shown.push_back({messageId, text, style});
        if (!m_buttons.empty()) {
            int b = m_buttons.front();
            m_buttons.pop_front();
            return b;
        }
        return style == BoxStyle::YesNo || style == BoxStyle::YesNoCancel ? Yes : Ok;
    }
    std::string chooseOpenFile(const FileDialogRequest& request) override {
        m_fileRequests.push_back(request);
        return nextFile();
    }
    std::string chooseSaveFile(const FileDialogRequest& request) override {
        m_fileRequests.push_back(request);
        return nextFile();
    }
    std::optional<ColorRef> chooseColor(ColorRef initial) override {
        m_colorRequests.push_back(initial);
        if (m_colors.empty())
            return std::nullopt;
        auto c = m_colors.front();
        m_colors.pop_front();
        return c;
    }

    [[nodiscard]] const std::vector<Shown>& shown() const { return m_shown; }
    [[nodiscard]] std::vector<int> shownIds() const {
        std::vector<int> ids;
        for (const auto& s : m_shown)
            ids.push_back(s.id);
        return ids;
    }
    [[nodiscard]] bool wasShown(int id) const {
        for (const auto& s : m_shown)
            if (s.id == id)
                return true;
        return false;
    }
    [[nodiscard]] const std::vector<FileDialogRequest>& fileRequests() const {
        return m_fileRequests;
    }
    [[nodiscard]] bool scriptUsedUp() const {
        return m_buttons.empty() && m_files.empty() && m_colors.empty();
    }
    void clearRecord() {
        m_shown.clear();
        m_fileRequests.clear();
        m_colorRequests.clear();
    }

private:
    std::string nextFile() {
        if (m_files.empty())
            return {};
        std::string f = m_files.front();
        m_files.pop_front();
        return f;
    }

    std::deque<int> m_buttons;
    std::deque<std::string> m_files;
    std::deque<std::optional<ColorRef>> m_colors;
    std::vector<Shown> m_shown;
    std::vector<FileDialogRequest> m_fileRequests;
    std::vector<ColorRef> m_colorRequests;
};

} // namespace byzel::testing

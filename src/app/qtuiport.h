#pragma once

#include "core/ui/uiport.h"

#include <QString>

class QWidget;

namespace byzel {

// Real dialogs: message boxes captioned "Byzel" with Japanese buttons, Qt's file and colour
// choosers. Owned by the active window, or by the given fallback owner.
class QtUiPort final : public UiPort {
public:
    explicit QtUiPort(QWidget* fallbackOwner = nullptr) : m_fallbackOwner(fallbackOwner) {}
    void setFallbackOwner(QWidget* owner) { m_fallbackOwner = owner; }

    int showMessageBox(int messageId, const std::string& text, BoxStyle style) override;
    std::string chooseOpenFile(const FileDialogRequest& request) override;
    std::string chooseSaveFile(const FileDialogRequest& request) override;
    std::optional<ColorRef> chooseColor(ColorRef initial) override;

private:
    [[nodiscard]] QWidget* owner() const;

    QWidget* m_fallbackOwner;
};

// "name(*.a)|*.a||" -> "name(*.a) (*.a)" and so on, one Qt filter per pair; the file dialogs
// show only the name part. "*.*" matches every file, as it does on Windows.
[[nodiscard]] QString toQtFilter(std::string_view windowsFilter);

} // namespace byzel

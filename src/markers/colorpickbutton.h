#pragma once

#include "core/types.h"

#include <QToolButton>

#include <functional>
#include <optional>

namespace byzel {

// A button showing a colour; a click opens a palette in five columns and, below it, the colour
// chooser for any other colour. The button itself does not change colour: its owner decides.
class ColorPickButton : public QToolButton {
    Q_OBJECT
public:
    using Chooser = std::function<std::optional<ColorRef>(ColorRef initial)>;

    explicit ColorPickButton(Chooser chooser, QWidget* parent = nullptr);

    [[nodiscard]] ColorRef color() const { return m_color; }
    void setColor(ColorRef color);
    [[nodiscard]] static const std::vector<ColorRef>& paletteColors();
    static constexpr int kColumns = 5;

signals:
    void colorPicked(ColorRef color);

private:
    void chooseOther();

    Chooser m_chooser;
    ColorRef m_color = 0;
};

} // namespace byzel

#pragma once

#include "core/types.h"

#include <QToolButton>

#include <functional>
#include <optional>

class QMenu;

namespace byzel {

// The free pen colour: a click lays markers in the button's colour; the arrow opens a palette
// of colours and, below it, the colour chooser for any other colour. A colour picked either
// way becomes the button's colour and is used at once.
class ColorButton : public QToolButton {
    Q_OBJECT
public:
    // chooser asks the user for any colour, starting from the given one.
    using Chooser = std::function<std::optional<ColorRef>(ColorRef initial)>;

    ColorButton(Chooser chooser, QWidget* parent = nullptr);

    [[nodiscard]] ColorRef color() const { return m_color; }
    void setColor(ColorRef color);
    // Picks a colour as the palette or the chooser does: it becomes the colour and is used.
    void pick(ColorRef color);
    [[nodiscard]] QMenu* palette() const { return m_palette; }
    // Colours the palette offers, the eight pen colours first.
    [[nodiscard]] static const std::vector<ColorRef>& paletteColors();

signals:
    // The user picked a colour from the palette or the chooser.
    void colorPicked(ColorRef color);

private:
    void chooseOther();

    Chooser m_chooser;
    ColorRef m_color = 0x0000FF;
    QMenu* m_palette = nullptr;
};

} // namespace byzel

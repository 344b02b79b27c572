#include "markers/colorpickbutton.h"

#include "app/colors.h"
#include "core/markers/markerrecord.h"

#include <QGridLayout>
#include <QMenu>
#include <QVBoxLayout>
#include <QWidgetAction>

namespace byzel {
const std::vector<ColorRef>& ColorPickButton::paletteColors() {
    static const std::vector<ColorRef> colors = [] {
        std::vector<ColorRef> c(kStandardColors.begin(), kStandardColors.end());
        const ColorRef more[] = {
            rgb(255, 255, 255), rgb(255, 255, 0), rgb(255, 192, 0),  rgb(255, 0, 0),
            rgb(255, 0, 255),   rgb(0, 176, 240), rgb(0, 255, 0),    rgb(146, 208, 80),
            rgb(191, 143, 0),   rgb(197, 90, 17), rgb(112, 48, 160), rgb(0, 128, 128),
        };
        c.insert(c.end(), std::begin(more), std::end(more));
        return c;
    }();
    return colors;
}

ColorPickButton::ColorPickButton(Chooser chooser, QWidget* parent)
    : QToolButton(parent), m_chooser(std::move(chooser)) {
    setPopupMode(QToolButton::InstantPopup);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setIconSize(QSize(48, 16));
    setFocusPolicy(Qt::StrongFocus);

    auto* menu = new QMenu(this);
    auto* panel = new QWidget(menu);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(6, 6, 6, 6);
    auto* grid = new QGridLayout;
    grid->setSpacing(2);
    const auto& colors = paletteColors();
    for (std::size_t i = 0; i < colors.size(); ++i) {
        const ColorRef c = colors[i];
        auto* cell = new QToolButton(panel);
        cell->setAutoRaise(true);
        cell->setIcon(colorSwatch(c));
        cell->setIconSize(QSize(16, 16));
        cell->setObjectName(QString("palette-%1").arg(c, 6, 16, QLatin1Char('0')));
        cell->setToolTip(toQColor(c).name());
        connect(cell, &QToolButton::clicked, this, [this, menu, c] {
            menu->close();
            emit colorPicked(c);
        });
        grid->addWidget(cell, int(i) / kColumns, int(i) % kColumns);
    }
    layout->addLayout(grid);
    auto* paletteAction = new QWidgetAction(menu);
    paletteAction->setDefaultWidget(panel);
    menu->addAction(paletteAction);
    menu->addSeparator();
    menu->addAction(tr("その他の色(&M)..."), this, &ColorPickButton::chooseOther);
    setMenu(menu);
    setColor(m_color);
}

void ColorPickButton::setColor(ColorRef color) {
    m_color = color;
    setIcon(colorSwatch(color, iconSize()));
}

void ColorPickButton::chooseOther() {
    if (const auto chosen = m_chooser(m_color))
        emit colorPicked(*chosen);
}

} // namespace byzel

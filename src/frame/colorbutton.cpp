#include "frame/colorbutton.h"

#include "app/colors.h"
#include "core/markers/markerrecord.h"
#include "frame/ribbonicons.h"

#include <QAction>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidgetAction>

namespace byzel {
namespace {

constexpr int kPaletteColumns = 8;

} // namespace

const std::vector<ColorRef>& ColorButton::paletteColors() {
    static const std::vector<ColorRef> colors = [] {
        std::vector<ColorRef> c(kStandardColors.begin(), kStandardColors.end());
        // Strong and dark colours for markers that must stand out from the pens.
        const ColorRef more[] = {
            rgb(255, 255, 255), rgb(255, 255, 0), rgb(255, 192, 0), rgb(255, 0, 0),
            rgb(255, 0, 255),   rgb(0, 176, 240), rgb(0, 255, 0),   rgb(146, 208, 80),
            rgb(192, 192, 192), rgb(191, 143, 0), rgb(197, 90, 17), rgb(192, 0, 0),
            rgb(112, 48, 160),  rgb(0, 112, 192), rgb(0, 176, 80),  rgb(0, 128, 128),
        };
        c.insert(c.end(), std::begin(more), std::end(more));
        return c;
    }();
    return colors;
}

ColorButton::ColorButton(Chooser chooser, QWidget* parent)
    : QToolButton(parent), m_chooser(std::move(chooser)), m_palette(new QMenu(this)) {
    setPopupMode(QToolButton::MenuButtonPopup);
    setAutoRaise(true);
    setIconSize(QSize(22, 22));
    setMenu(m_palette);

    auto* panel = new QWidget(m_palette);
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
        connect(cell, &QToolButton::clicked, this, [this, c] {
            m_palette->close();
            pick(c);
        });
        grid->addWidget(cell, int(i) / kPaletteColumns, int(i) % kPaletteColumns);
    }
    layout->addLayout(grid);
    auto* palette = new QWidgetAction(m_palette);
    palette->setDefaultWidget(panel);
    m_palette->addAction(palette);
    m_palette->addSeparator();
    m_palette->addAction(tr("その他の色(&M)..."), this, &ColorButton::chooseOther);

    setColor(m_color);
}

void ColorButton::setColor(ColorRef color) {
    m_color = color;
    const QIcon icon = penIcon(color);
    // The button shows the command it runs; the command shows the colour it lays.
    if (QAction* command = defaultAction())
        command->setIcon(icon);
    setIcon(icon);
}

void ColorButton::pick(ColorRef color) {
    setColor(color);
    emit colorPicked(color);
}

void ColorButton::chooseOther() {
    if (const auto chosen = m_chooser(m_color))
        pick(*chosen);
}

} // namespace byzel

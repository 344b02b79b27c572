#include "view/popup.h"

#include "app/colors.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace byzel {

namespace {
constexpr ColorRef kBorderColor = 0x404040;
}

CPopup::CPopup(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

QSize CPopup::setContent(const QFont& font, ColorRef background, const QString& text) {
    m_font = font;
    m_background = toQColor(background);
    m_lines = text.split(QLatin1Char('\n'));
    const QFontMetrics fm(font);
    int width = 0;
    for (const QString& line : m_lines)
        width = std::max(width, fm.horizontalAdvance(line));
    update();
    return {width, fm.height() * static_cast<int>(m_lines.size())};
}

void CPopup::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), m_background);
    p.setPen(toQColor(kBorderColor));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    // Remarks are user data: plain text, never markup.
    p.setPen(Qt::black);
    p.setFont(m_font);
    const QFontMetrics fm(m_font);
    int y = kMargin + fm.ascent();
    for (const QString& line : m_lines) {
        p.drawText(kMargin, y, line);
        y += fm.height();
    }
}

} // namespace byzel

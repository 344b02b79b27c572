#pragma once

#include "core/types.h"

#include <QFont>
#include <QStringList>
#include <QWidget>

namespace byzel {

// The box of text the view shows next to the pointer: a marker's remark, or value check
// numbers. It lies over the view and never takes pointer input, so a drag goes on beneath it.
class CPopup : public QWidget {
    Q_OBJECT
public:
    // Space between the border and the text on every side.
    static constexpr int kMargin = 3;

    explicit CPopup(QWidget* parent);

    // Sets what to draw and returns the size of the text, without the margin.
    QSize setContent(const QFont& font, ColorRef background, const QString& text);
    [[nodiscard]] QString text() const { return m_lines.join(QLatin1Char('\n')); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QFont m_font;
    QColor m_background;
    QStringList m_lines;
};

} // namespace byzel

#include "print/marginbox.h"

namespace byzel {

MarginBox::MarginBox(MarginSide side, QWidget* parent) : QSpinBox(parent), m_side(side) {
    setRange(minMargin(side), kMaxMargin);
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
}

QValidator::State MarginBox::validate(QString& input, int& /*pos*/) const {
    if (input.isEmpty())
        return QValidator::Intermediate;
    // Any number of up to three digits may be typed; leaving the box clamps it.
    if (input.size() > 3)
        return QValidator::Invalid;
    for (const QChar c : input)
        if (!c.isDigit())
            return QValidator::Invalid;
    return QValidator::Acceptable;
}

int MarginBox::valueFromText(const QString& text) const {
    return clampMargin(text.toInt(), m_side);
}

} // namespace byzel

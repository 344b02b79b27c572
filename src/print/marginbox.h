#pragma once

#include "core/print/pagelayout.h"

#include <QSpinBox>

namespace byzel {

// A margin in millimetres. The spin arrows stay within the box's range; a typed number is
// taken as typed and brought into the range when the box loses the focus, which rewrites it.
class MarginBox : public QSpinBox {
    Q_OBJECT
public:
    MarginBox(MarginSide side, QWidget* parent = nullptr);

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    int valueFromText(const QString& text) const override;

private:
    MarginSide m_side;
};

} // namespace byzel

#include "search/hexbox.h"

#include <QValidator>

namespace byzel {
namespace {

// Accepts anything (the dialogs judge the text themselves) but in capitals.
class CapitalsValidator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        input = input.toUpper();
        return Acceptable;
    }
};

} // namespace

HexBox::HexBox(QWidget* parent) : QLineEdit(parent) {
    setAlignment(Qt::AlignCenter);
    setValidator(new CapitalsValidator(this));
    setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("WWW")) + 8);
}

void HexBox::setHexText(const QString& text) {
    setText(text.toUpper());
}

} // namespace byzel

#pragma once

#include <QAbstractSpinBox>

namespace byzel {

// The marker number box: an edit box with spin buttons over 0 .. 5000. After every spin step
// and on Enter it reports its text, which the frame then limits to the markers there are.
class MarkerNumberBox : public QAbstractSpinBox {
    Q_OBJECT
public:
    static constexpr int kMaximum = 5000;

    explicit MarkerNumberBox(QWidget* parent = nullptr);

    [[nodiscard]] QString text() const;
    void setText(const QString& text);

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;
    [[nodiscard]] QSize sizeHint() const override;

signals:
    // A spin step or Enter changed or confirmed the number.
    void numberEntered();

protected:
    [[nodiscard]] StepEnabled stepEnabled() const override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace byzel

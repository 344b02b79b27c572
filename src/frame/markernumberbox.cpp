#include "frame/markernumberbox.h"

#include "core/viewmodel/commandstate.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>

#include <algorithm>

namespace byzel {

MarkerNumberBox::MarkerNumberBox(QWidget* parent) : QAbstractSpinBox(parent) {
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    setKeyboardTracking(true);
    setAccelerated(true);
}

QString MarkerNumberBox::text() const {
    return lineEdit()->text();
}

void MarkerNumberBox::setText(const QString& text) {
    lineEdit()->setText(text);
}

void MarkerNumberBox::stepBy(int steps) {
    const long long n = markerNumberOf(text().toStdString()) + static_cast<long long>(steps);
    setText(QString::number(std::clamp<long long>(n, 0, kMaximum)));
    emit numberEntered();
}

QValidator::State MarkerNumberBox::validate(QString& input, int& /*pos*/) const {
    // A sign and up to six digits: enough for every marker number and for mistakes the frame
    // then corrects.
    static const QRegularExpression acceptable(QStringLiteral("^-?\\d{0,6}$"));
    return acceptable.match(input).hasMatch() ? QValidator::Acceptable : QValidator::Invalid;
}

QSize MarkerNumberBox::sizeHint() const {
    QSize size = QAbstractSpinBox::sizeHint();
    size.setWidth(fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 28);
    return size;
}

QAbstractSpinBox::StepEnabled MarkerNumberBox::stepEnabled() const {
    return isReadOnly() ? StepNone : (StepUpEnabled | StepDownEnabled);
}

void MarkerNumberBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit numberEntered();
        event->accept();
        return;
    }
    QAbstractSpinBox::keyPressEvent(event);
}

} // namespace byzel

#pragma once

#include <QLineEdit>

namespace byzel {

// A box for one byte as two hexadecimal digits: text centred, letters turned into capitals as
// they are typed, pasted or set, so the text only ever holds capitals.
class HexBox : public QLineEdit {
    Q_OBJECT
public:
    explicit HexBox(QWidget* parent = nullptr);
    void setHexText(const QString& text);
};

} // namespace byzel

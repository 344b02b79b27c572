#pragma once

#include <QFont>

namespace byzel {

// The fixed-pitch face the marker dialogs show aligned text in, at the size of base. It is
// named as on Windows; the program's font substitutions pick the installed Japanese face.
[[nodiscard]] inline QFont fixedDialogFont(const QFont& base) {
    QFont font(QStringLiteral("ＭＳ ゴシック"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    if (base.pointSizeF() > 0)
        font.setPointSizeF(base.pointSizeF());
    return font;
}

} // namespace byzel

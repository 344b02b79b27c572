#include "app/listingfont.h"

#include "core/settings/settings.h"

#include <QStringList>

namespace byzel {
namespace {

constexpr int kMaxListingPoints = 144;

} // namespace

QStringList substitutedFaces() {
    return {"ＭＳ ゴシック",   "ＭＳ　ゴシック", "MS Gothic",      "ＭＳ 明朝",    "ＭＳ　明朝",
            "MS Mincho",       "Terminal",       "Fixedsys",       "Courier",      "Courier New",
            "Consolas",        "Lucida Console", "BIZ UDゴシック", "BIZ UDGothic", "Osaka－等幅",
            "ＭＳ Ｐゴシック", "MS PGothic"};
}

void installFontSubstitutions() {
    const QStringList japaneseFixed = {"IPAGothic", "IPAゴシック", "Noto Sans Mono CJK JP",
                                       "VL Gothic", "TakaoGothic", "monospace"};
    for (const QString& face : substitutedFaces())
        QFont::insertSubstitutions(face, japaneseFixed);
}

QFont createListingFont(const SettingsStore& settings, int points) {
    const std::string face = settings.readText(section::Settings, "FontName");
    QFont font(QString::fromUtf8(face.data(), qsizetype(face.size())));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    // A size edited by hand into the settings file beyond any the dialogs offer would leave
    // no row on the page: the default takes its place.
    font.setPointSize(points > 0 && points <= kMaxListingPoints ? points : 12);
    font.setWeight(settings.readInt(section::Settings, "FontBold") == 1 ? QFont::Bold
                                                                        : QFont::Normal);
    // Cells are placed one by one; kerning would only blur that.
    font.setKerning(false);
    return font;
}

QFont createListingFont(const SettingsStore& settings) {
    return createListingFont(settings, settings.readInt(section::Settings, "FontSize"));
}

} // namespace byzel

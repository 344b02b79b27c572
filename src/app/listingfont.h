#pragma once

#include <QFont>
#include <QStringList>

namespace byzel {

class SettingsStore;

// The Windows faces a stored "FontName" may name.
[[nodiscard]] QStringList substitutedFaces();
// Windows faces a stored "FontName" may name, mapped to an installed fixed-pitch Japanese font.
// Call once after the application object exists.
void installFontSubstitutions();

// The listing font: face "FontName", bold when "FontBold" is 1, size in points. The stored name
// is kept as it is; Qt's substitution picks the installed face.
[[nodiscard]] QFont createListingFont(const SettingsStore& settings, int points);
// The same with the size from "FontSize".
[[nodiscard]] QFont createListingFont(const SettingsStore& settings);

} // namespace byzel

#include "core/settings/printsettings.h"

#include "core/settings/settings.h"

namespace byzel {

PrintSettings PrintSettings::load(const SettingsStore& settings) {
    PrintSettings p;
    p.marginTop = settings.readInt(section::Last, "MarginT");
    p.marginBottom = settings.readInt(section::Last, "MarginB");
    p.marginLeft = settings.readInt(section::Last, "MarginL");
    p.marginRight = settings.readInt(section::Last, "MarginR");
    p.paperSize = settings.readInt(section::Last, "PaperSize");
    p.orientation = settings.readInt(section::Last, "Orientation");
    return p;
}

void PrintSettings::saveMargins(SettingsStore& settings) const {
    settings.writeInt(section::Last, "MarginT", marginTop);
    settings.writeInt(section::Last, "MarginB", marginBottom);
    settings.writeInt(section::Last, "MarginL", marginLeft);
    settings.writeInt(section::Last, "MarginR", marginRight);
}

} // namespace byzel

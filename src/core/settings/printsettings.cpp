#include "core/settings/printsettings.h"

#include "core/print/pagelayout.h"
#include "core/settings/settings.h"

#include <algorithm>

namespace byzel {

PrintSettings PrintSettings::load(const SettingsStore& settings) {
    // A margin edited by hand beyond any the print dialog sets would put the listing off the
    // sheet, or past what a page can measure.
    const auto margin = [&settings](const char* name) {
        return std::clamp(settings.readInt(section::Last, name), 0, kMaxMargin);
    };
    PrintSettings p;
    p.marginTop = margin("MarginT");
    p.marginBottom = margin("MarginB");
    p.marginLeft = margin("MarginL");
    p.marginRight = margin("MarginR");
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

#pragma once

#include "core/ui/uiport.h"
#include "core/viewmodel/viewgeometry.h"
#include "core/workflow/work.h"

#include <functional>

namespace byzel {

// What the marker dialogs work on: the open work, the port for questions and choosers, and
// the view's repaint. Every change a dialog makes goes into the table at once and marks the
// work modified, so the save prompt never misses it.
struct MarkerEditing {
    Work& work;
    UiPort& ui;
    std::function<void(RepaintRegion)> repaint;

    [[nodiscard]] MarkerTable& markers() const { return work.markers(); }
    [[nodiscard]] Offset lastOffset() const { return work.dump().lastOffset(); }
    void changed(RepaintRegion region) const {
        if (repaint)
            repaint(region);
        work.setModified(true);
    }
};

} // namespace byzel

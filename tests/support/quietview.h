#pragma once

#include "core/workflow/workview.h"

namespace byzel::testing {

// A view for core tests that only need the workflow to have one.
struct QuietView : WorkView {
    void layOut() override {}
    void repaint() override {}
    void hidePopup() override {}
};

} // namespace byzel::testing

#pragma once

namespace byzel {

// What the document workflow asks of whatever shows the work. The dump view implements it;
// tests record the calls.
class WorkView {
public:
    virtual ~WorkView() = default;
    // A dump file was opened, replaced or closed, and the top row and remark column start are
    // back at 0: recount the visible rows, reset the scroll bars and repaint everything.
    virtual void layOut() = 0;
    // The markers changed: repaint everything.
    virtual void repaint() = 0;
    // Remove the hover popup of a marker, if one is shown.
    virtual void hidePopup() = 0;
};

} // namespace byzel

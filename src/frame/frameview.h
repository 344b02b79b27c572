#pragma once

#include "core/types.h"
#include "core/viewgeometry.h"

class QKeyEvent;
class QWheelEvent;
class QWidget;

namespace byzel {

// What the main frame asks of the dump view: its widget, the scroll and repaint operations the
// commands call, the mode's mouse capture, and the keys and wheel turns the frame receives.
class FrameView {
public:
    virtual ~FrameView() = default;

    [[nodiscard]] virtual QWidget* widget() = 0;
    // Recounts rows and columns for a client width and repaints; nothing without a dump file.
    virtual void LayoutDumpView(int width) = 0;
    virtual void RepaintDumpView(RepaintRegion region) = 0;
    // Makes row the top row, kept within the list's pages.
    virtual void ScrollToRow(Offset row) = 0;
    // Makes the row of marker index's start the top row, kept within the list's pages.
    virtual void ScrollToMarker(int index) = 0;
    // A command set the interaction mode: marker and modify mode take the mouse capture and
    // show their cursor at once.
    virtual void modeChanged() = 0;
    // Arrow keys and wheel turns that reached the main window. True when used.
    virtual bool handleKeyPress(QKeyEvent* event) = 0;
    virtual bool handleWheel(QWheelEvent* event) = 0;
};

} // namespace byzel

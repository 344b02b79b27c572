#pragma once

class QWidget;

namespace byzel {

class CTormelApp;
class CTormelView;

// The print command: runs the print dialog; a font size changed there lays the view out anew,
// and the view follows a top row the dialog moved.
void runPrintCommand(CTormelApp& app, CTormelView& view, QWidget* owner);

} // namespace byzel

#include "print/printcommand.h"

#include "app/tormelapp.h"
#include "print/insatudlg.h"
#include "view/tormelview.h"

namespace byzel {

void runPrintCommand(CTormelApp& app, CTormelView& view, QWidget* owner) {
    // Printing and the text export run while the dialog is open and read the file throughout.
    if (!app.work().isOpen() || !app.finishDumpCopy(owner))
        return;
    const int fontSize = app.settings().readInt(section::Settings, "FontSize");
    const Offset topRow = app.view().topRow;
    CInsatuDlg dialog(app, owner);
    dialog.exec();
    if (app.settings().readInt(section::Settings, "FontSize") != fontSize)
        view.LayoutDumpView();
    else if (app.view().topRow != topRow)
        view.RefreshAfterScroll();
}

} // namespace byzel

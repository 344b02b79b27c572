#include "app/listingfont.h"
#include "app/qsettingsstore.h"
#include "app/qtuiport.h"
#include "app/tormelapp.h"
#include "core/worktitle.h"
#include "frame/mainframe.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setOrganizationName("Veltran");
    QApplication::setApplicationName("Byzel");

    // Standard dialogs speak Japanese, like the rest of the program.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Japanese), "qtbase", "_",
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);
    byzel::installFontSubstitutions();

    byzel::QSettingsStore settings;
    byzel::QtUiPort ui;
    byzel::CTormelApp app(settings, ui);
    byzel::CMainFrame frame(app);
    ui.setFallbackOwner(&frame);

    app.work().setMarkerFilePath(std::string(byzel::kUnnamedMarkerFile));
    app.work().setModified(false);
    frame.show();
    return QApplication::exec();
}

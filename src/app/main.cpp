#include "app/listingfont.h"
#include "app/qsettingsstore.h"
#include "app/qtuiport.h"
#include "app/startup.h"
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
    const QStringList arguments = QApplication::arguments().mid(1);
    if (!byzel::prepareStart(app, arguments))
        return 0;
    byzel::CMainFrame frame(app);
    ui.setFallbackOwner(&frame);

    app.work().setMarkerFilePath(std::string(byzel::kUnnamedMarkerFile));
    app.work().setModified(false);
    if (settings.readInt(byzel::section::Last, "Zoomed") == 1)
        frame.showMaximized();
    else
        frame.show();
    if (!byzel::openStartingWork(app, arguments))
        return 0;
    return QApplication::exec();
}

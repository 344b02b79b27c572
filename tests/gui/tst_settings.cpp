#include "app/listingfont.h"
#include "app/tormelapp.h"
#include "core/settings/memorysettings.h"
#include "core/viewmodel/commandids.h"
#include "frame/commandtable.h"
#include "frame/mainframe.h"
#include "scriptedui.h"
#include "settings/aboutdlg.h"
#include "settings/helpdlg.h"
#include "settings/kansetdlg.h"
#include "view/tormelview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>
#include <functional>
#include <memory>

using namespace byzel;

namespace {

// A program with its main window on an open dump file, settings in memory, scripted answers.
struct Program {
    MemorySettingsStore settings;
    testing::ScriptedUi ui;
    QTemporaryDir folder;
    std::unique_ptr<CTormelApp> app;
    std::unique_ptr<CMainFrame> frame;

    Program() {
        app = std::make_unique<CTormelApp>(settings, ui, folder.path());
        frame = std::make_unique<CMainFrame>(*app);
        frame->resize(900, 600);
        frame->show();
        const std::string path = folder.filePath("dump.bin").toStdString();
        std::ofstream(path, std::ios::binary) << std::string(0x1000, 'x');
        if (!app->workflow().openAsNewWork(path))
            qWarning("dump file not opened");
        frame->updateCommands();
    }
    // Runs a command whose modal window act handles; the window is closed afterwards if act
    // left it open. Returns whether a modal window was seen.
    bool runWithModal(int id, const std::function<void(QWidget*)>& act) {
        bool seen = false;
        // Owned here, so that it cannot fire into a later test when no window came up.
        QTimer timer;
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            seen = modal != nullptr;
            if (modal) {
                act(modal);
                if (modal->isVisible())
                    modal->close();
            }
        });
        timer.start(0);
        frame->commands().action(id)->trigger();
        return seen;
    }
};

const QStringList kFaces = {"IPAGothic", "@IPAGothic", "Beta Mono", "IPAGothic",
                            "%Sym",      "IPAPGothic", "alpha"};

void writeSmallPdf(const QString& path) {
    QPdfWriter writer(path);
    QPainter painter(&writer);
    painter.drawText(100, 100, "Manual");
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }

    void fontListShowsEachFaceOnceAndPicksTheStoredPrefix() {
        MemorySettingsStore settings;
        testing::ScriptedUi ui;
        settings.writeText("Settings", "FontName", "ipa");
        CKansetDlg dialog(settings, ui, kFaces);
        QComboBox* names = dialog.fontNameBox();
        QCOMPARE(names->count(), 4);
        QCOMPARE(names->itemText(0), QString("alpha"));
        QCOMPARE(names->findText("@IPAGothic"), -1);
        QCOMPARE(names->currentText(), QString("IPAGothic"));
    }

    void aFaceNoLongerInstalledMustBePickedBeforeStoring() {
        MemorySettingsStore settings;
        testing::ScriptedUi ui;
        settings.writeText("Settings", "FontName", "Gone Face");
        CKansetDlg dialog(settings, ui, kFaces);
        QCOMPARE(dialog.fontNameBox()->currentIndex(), -1);
        dialog.fontSizeBox()->setValue(20);
        dialog.accept();
        QCOMPARE(ui.shownIds(), std::vector<int>{msg::NoFontSelected});
        QCOMPARE(ui.shown().front().style, BoxStyle::Error);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!settings.isStored("Settings", "FontSize"));

        dialog.fontNameBox()->setCurrentText("Beta Mono");
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(settings.readText("Settings", "FontName"), std::string("Beta Mono"));
        QCOMPARE(settings.readInt("Settings", "FontSize"), 20);
    }

    void storesAllFiveValuesAndRaisesATooSmallSize() {
        MemorySettingsStore settings;
        testing::ScriptedUi ui;
        CKansetDlg dialog(settings, ui, kFaces);
        dialog.fontNameBox()->setCurrentText("alpha");
        auto* edit = dialog.fontSizeBox()->findChild<QLineEdit*>();
        QVERIFY(edit);
        edit->selectAll();
        QTest::keyClicks(edit, "5");
        dialog.boldButton()->setChecked(true);
        dialog.openLastBox()->setChecked(true);
        dialog.leftScrollBarBox()->setChecked(true);
        dialog.accept();
        QCOMPARE(settings.readText("Settings", "FontName"), std::string("alpha"));
        QCOMPARE(settings.readInt("Settings", "FontSize"), 8);
        QCOMPARE(settings.readInt("Settings", "FontBold"), 1);
        QCOMPARE(settings.readInt("Settings", "OpenLast"), 1);
        QCOMPARE(settings.readInt("Settings", "LeftScrolBar"), 1);
    }

    void closingAfterChangingEverythingStoresNothing() {
        MemorySettingsStore settings;
        testing::ScriptedUi ui;
        settings.writeText("Settings", "FontName", "IPAGothic");
        CKansetDlg dialog(settings, ui, kFaces);
        dialog.fontNameBox()->setCurrentText("alpha");
        dialog.fontSizeBox()->setValue(30);
        dialog.boldButton()->setChecked(true);
        dialog.openLastBox()->setChecked(true);
        dialog.leftScrollBarBox()->setChecked(true);
        dialog.reject();
        QCOMPARE(settings.readText("Settings", "FontName"), std::string("IPAGothic"));
        for (const char* name : {"FontSize", "FontBold", "OpenLast", "LeftScrolBar"})
            QVERIFY2(!settings.isStored("Settings", name), name);
    }

    void aNewSizeShowsAtOnceAndTheScrollBarMovesOnlyWhenItsSideChanged() {
        Program p;
        CTormelView* view = p.frame->view();
        const int rowsBefore = p.app->view().visibleRows;
        // The usual Windows face is offered, through the font it stands for.
        QVERIFY(p.runWithModal(ID_KANSET, [](QWidget* modal) {
            auto* dialog = qobject_cast<CKansetDlg*>(modal);
            QVERIFY(dialog);
            QCOMPARE(dialog->fontNameBox()->currentText(), QString("ＭＳ ゴシック"));
            dialog->fontSizeBox()->setValue(24);
            dialog->accept();
        }));
        QCOMPARE(view->listingFont().pointSize(), 24);
        QVERIFY(p.app->view().visibleRows < rowsBefore);

        // Unchanged: the bar stays wherever it is.
        view->setLayoutDirection(Qt::RightToLeft);
        p.runWithModal(ID_KANSET,
                       [](QWidget* modal) { qobject_cast<CKansetDlg*>(modal)->accept(); });
        QCOMPARE(view->layoutDirection(), Qt::RightToLeft);

        view->setLayoutDirection(Qt::LeftToRight);
        p.runWithModal(ID_KANSET, [](QWidget* modal) {
            auto* dialog = qobject_cast<CKansetDlg*>(modal);
            dialog->leftScrollBarBox()->setChecked(true);
            dialog->accept();
        });
        QCOMPARE(view->layoutDirection(), Qt::RightToLeft);
        QCOMPARE(view->viewport()->layoutDirection(), Qt::LeftToRight);
    }

    void theManualOpensMaximisedWhenItIsBesideTheProgram() {
        Program p;
        writeSmallPdf(p.folder.filePath("Manual.pdf"));
        QString title;
        bool maximised = false;
        int pages = 0;
        QVERIFY(p.runWithModal(ID_HELP_DSP, [&](QWidget* modal) {
            title = modal->windowTitle();
            maximised = modal->isMaximized();
            if (auto* help = qobject_cast<CHelpDlg*>(modal))
                pages = help->document()->pageCount();
        }));
        QCOMPARE(title, QString("Manual"));
        QVERIFY(maximised);
        QCOMPARE(pages, 1);
        QVERIFY(p.ui.shown().empty());
    }

    void aMissingOrDamagedManualIsOnlyReported() {
        Program p;
        QVERIFY(!p.runWithModal(ID_HELP_DSP, [](QWidget*) {}));
        QCOMPARE(p.ui.shownIds(), std::vector<int>{msg::ManualMissing});
        QCOMPARE(p.ui.shown().front().style, BoxStyle::Information);

        p.ui.clearRecord();
        std::ofstream(p.folder.filePath("Manual.pdf").toStdString()) << "not a PDF";
        QVERIFY(!p.runWithModal(ID_HELP_DSP, [](QWidget*) {}));
        QCOMPARE(p.ui.shownIds(), std::vector<int>{msg::OpenFailed});
    }

    void aboutListsTheHistoryNewestFirst() {
        Program p;
        QStringList lines;
        QString tip;
        QVERIFY(p.runWithModal(ID_APP_ABOUT, [&](QWidget* modal) {
            auto* about = qobject_cast<CAboutDlg*>(modal);
            QVERIFY(about);
            lines = about->historyBox()->toPlainText().split('\n');
            auto* ok = about->findChild<QPushButton*>();
            tip = ok->toolTip();
            QCOMPARE(ok->text(), QString("確認 (&Y)"));
            ok->click();
            QVERIFY(!about->isVisible());
        }));
        QCOMPARE(lines.size(), 11);
        QCOMPARE(lines.front(), QString("Ver. 1.09 2022.11.12 Windows 11対応"));
        QCOMPARE(lines.at(9), QString("Ver. 1.00 2010.06.26 新規作成"));
        QVERIFY(lines.back().isEmpty());
        QCOMPARE(tip, QString("バージョン情報ウィンドウを閉じて戻ります"));
    }
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"

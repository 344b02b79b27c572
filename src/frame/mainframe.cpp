#include "frame/mainframe.h"

#include "app/tormelapp.h"
#include "core/text/messages.h"
#include "core/viewmodel/commandids.h"
#include "frame/commandtable.h"
#include "frame/markernumberbox.h"
#include "frame/mystatusbar.h"
#include "frame/ribbon.h"
#include "frame/ribbonicons.h"
#include "markers/markercommands.h"
#include "print/printcommand.h"
#include "search/consoledlg.h"
#include "search/editdlg.h"
#include "settings/aboutdlg.h"
#include "settings/helpdlg.h"
#include "settings/kansetdlg.h"
#include "tools/appearancedlg.h"
#include "tools/crcreportcommand.h"
#include "tools/markerfilecommands.h"
#include "tools/property.h"
#include "view/tormelview.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>

#include <algorithm>

namespace byzel {
namespace {

QRect primaryScreenGeometry() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 640, 480);
}

QRect primaryScreenAvailableGeometry() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : primaryScreenGeometry();
}

// Events after which a command's state may have changed.
bool mayChangeCommandState(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
    case QEvent::Drop:
    case QEvent::FocusIn:
    case QEvent::WindowActivate:
        return true;
    default:
        return false;
    }
}

} // namespace

// The marker menus' entries for files from markers, the CRC report and the occurrence counter.
void CMainFrame::connectMarkerTools() {
    m_markerTools.writeMarkersToFile = [this](const std::vector<int>& indexes) {
        createFileFromMarkers(m_app, indexes);
    };
    m_markerTools.showCrcReport = [this](Offset clicked) { ReportCrc(m_app, clicked, this); };
    m_markerTools.showOccurrences = [this] { openAppearanceDialog(m_app, this); };
}

CMainFrame::CMainFrame(CTormelApp& app, QWidget* parent)
    : QMainWindow(parent), m_app(app), m_view(new CTormelView(app, this)),
      m_commands(new CommandTable(this)),
      m_markerCommands(new MarkerCommands(app, *m_view, m_markerTools, this)) {
    addCommands();
    m_ribbon = new Ribbon(
        *m_commands, [this](ColorRef initial) { return m_app.ui().chooseColor(initial); }, this);
    setMenuWidget(m_ribbon);
    setCentralWidget(m_view);
    // Keys reach the view whenever the window is active: it handles the arrows itself.
    setFocusProxy(m_view);
    m_view->setFocus();
    m_status = new CMyStatusBar(m_app, this);
    setStatusBar(m_status);
    connect(m_view, &CTormelView::hintChanged, m_status, &CMyStatusBar::showHint);
    connect(m_view, &CTormelView::referencePointChanged, this, &CMainFrame::scheduleUpdate);
    connect(m_view, &CTormelView::contextMenuRequested, m_markerCommands,
            &MarkerCommands::showMenu);
    connect(m_view, &CTormelView::markerPropertiesRequested, m_markerCommands,
            &MarkerCommands::openProperties);
    connect(m_view, &CTormelView::bulkEditorRequested, this,
            [this] { m_commands->trigger(ID_BATCH_EDIT); });
    connect(m_markerCommands, &MarkerCommands::stateChanged, this, &CMainFrame::scheduleUpdate);
    connectMarkerTools();

    connect(m_ribbon->markerNumberBox(), &MarkerNumberBox::numberEntered, this,
            &CMainFrame::limitMarkerNumber);
    connect(m_ribbon->colorButton(), &ColorButton::colorPicked, this,
            [this] { m_commands->trigger(ID_ETC_COL); });
    connect(m_ribbon, &Ribbon::applicationMenuAboutToShow, this, [this] {
        refreshRecentFiles();
        updateCommands();
        m_ribbon->showRecentFiles();
    });
    connect(&m_app, &CTormelApp::valuesShown, this,
            [this](const QString& big, const QString& little) {
                m_ribbon->bigEndianBox()->setText(big);
                m_ribbon->littleEndianBox()->setText(little);
            });
    connect(m_commands, &CommandTable::commandRun, this, &CMainFrame::updateCommands);
    connect(&m_app, &CTormelApp::titleChanged, this, &QWidget::setWindowTitle);
    connect(&m_app, &CTormelApp::workChanged, this, &CMainFrame::scheduleUpdate);
    qApp->installEventFilter(this);

    setWindowTitle(m_app.title());
    setAcceptDrops(true);
    restorePlacement(primaryScreenGeometry().size(), primaryScreenAvailableGeometry());
    refreshRecentFiles();
    updateCommands();
}

CMainFrame::~CMainFrame() {
    qApp->removeEventFilter(this);
}

void CMainFrame::addCommands() {
    addFileCommands();
    addViewCommands();
    addModeCommands();
    addMarkerCommands();
    for (QAction* action : findChildren<QAction*>()) {
        const int id = action->data().toInt();
        action->setIcon(commandIcon(id));
        addAction(action);
    }
}

void CMainFrame::addFileCommands() {
    auto& workflow = m_app.workflow();
    CommandTable& c = *m_commands;
    c.add(ID_FILE_NEW, tr("新規作成(&N)"), [&workflow] { workflow.newWork(); });
    c.add(ID_FILE_OPEN, tr("開く(&O)..."), [&workflow] { workflow.openWork(); });
    c.add(ID_FILE_SAVE, tr("上書き保存(&S)"), [&workflow] {
        if (workflow.canSave())
            workflow.saveWork();
    });
    c.add(ID_FILE_SAVE_AS, tr("名前を付けて保存(&A)..."), [&workflow] { workflow.saveWorkAs(); });
    c.add(ID_PRINT_OUT, tr("印刷(&P)"), [this] {
         runPrintCommand(m_app, *m_view, this);
     })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    c.add(ID_KANSET, tr("環境設定(&K)"), [this] { ShowKanset(m_app, *m_view, this); });
    c.add(ID_APP_ABOUT, tr("バージョン情報(&A)"), [this] { ShowAbout(this); });
    c.add(ID_APP_EXIT, tr("バイゼルの終了(&X)"), [this] { close(); });
    for (int n = 0; n < kRecentFileCount; ++n)
        c.add(ID_FILE_MRU_FIRST + n, QString(), [&workflow, n] { workflow.openRecentFile(n); });
}

void CMainFrame::addViewCommands() {
    CommandTable& c = *m_commands;
    c.add(ID_SHOW_MENU, tr("メニュー表示/非表示"), [this] {
         m_ribbon->toggleMinimized();
     })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F1));
    c.add(ID_HELP_DSP, tr("ヘルプ"),
          [this] { ShowManual(m_app.ui(), m_app.programFolder(), this); });
    c.add(ID_RENDOU, tr("左右 連動"), [this] {
         // Only the switch: the remark column follows at the next scroll.
         auto& header = m_app.work().header();
         header.linkedScrolling = header.linkedScrollingOn() ? 0 : 1;
     })->setCheckable(true);
    c.add(ID_REM_LINE, tr("リンク 線表示"), [this] {
         auto& header = m_app.work().header();
         header.linkLines = header.linkLinesOn() ? 0 : 1;
         m_view->RepaintDumpView(RepaintRegion::WholeView);
     })->setCheckable(true);
    c.add(ID_DSP_KIJUN, tr("基準点を最上段に表示"),
          [this] { m_view->ScrollToRow(m_app.view().referencePoint / 16); });
    c.add(ID_JUMP_TOP, tr("リスト先頭"), [this] {
         m_view->ScrollToRow(0);
     })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Home));
    c.add(ID_JUMP_END, tr("リスト末尾"), [this] {
         m_view->ScrollToRow(m_app.work().dump().totalRows() - m_app.view().visibleRows);
     })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_End));
    c.add(ID_DOC_INFO, tr("文書情報"), [this] { openDocumentInfo(m_app, this); });
    c.add(ID_CONSOLE, tr("検索 置換"), [this] {
        CConsoleDlg console(m_app, *m_view, this);
        console.exec();
    });
    c.add(ID_DSP_HIT, tr("検索結果を最上段に表示(&T)"),
          [this] { m_view->ScrollToRow(m_app.work().searchHit().start / 16); });
    c.add(ID_HIT_CLEAR, tr("検索結果をクリア(&C)"), [this] {
        m_app.work().searchHit().start = -1;
        m_view->RepaintDumpView(RepaintRegion::HexArea);
    });
}

void CMainFrame::addModeCommands() {
    CommandTable& c = *m_commands;
    c.add(ID_EDIT_DUMP, tr("Binary 編集"), [this] {
        CEditDlg editor(m_app, *m_view, this);
        editor.exec();
    });
    for (int id : {ID_MARKER_YELLOW, ID_MARKER_BLUE, ID_MARKER_RED, ID_MARKER_GREEN, ID_MARKER_GLAY,
                   ID_MARKER_CYAN, ID_MARKER_MAZENTA, ID_MARKER_SILVER}) {
        const ColorRef color = *penColorOf(id);
        c.add(id, commandToolTip(id).section(QLatin1Char('\n'), 0, 0), [this, color] {
             m_app.view().penColor = color;
             setMode(InteractionMode::Marker);
         })->setCheckable(true);
    }
    c.add(ID_ETC_COL, tr("その他の色"), [this] {
         m_app.view().penColor = m_ribbon->colorButton()->color();
         setMode(InteractionMode::Marker);
     })->setCheckable(true);
    c.add(ID_NORMAL_MODE, tr("通常モード"), [this] {
         setMode(InteractionMode::Normal);
     })->setCheckable(true);
    c.add(ID_MARKER_UPD, tr("修正モード"), [this] {
         setMode(InteractionMode::Modify);
     })->setCheckable(true);
    c.add(ID_DSP_VALUE, tr("値確認モード"), [this] {
         setMode(InteractionMode::ValueCheck);
     })->setCheckable(true);
}

void CMainFrame::addMarkerCommands() {
    CommandTable& c = *m_commands;
    c.add(ID_DSP_MARK, tr("最上段に表示"), [this] { showMarkerAtTop(); });
    c.add(ID_DEL_ALL_MARK, tr("全クリア"), [this] { clearAllMarkers(); });
    c.add(ID_MARK_MENT, tr("マーカ管理"), [this] { m_markerCommands->openManagementList(); });
    c.add(ID_BATCH_EDIT, tr("一括編集"), [this] { m_markerCommands->openBulkEditor(); });
}

void CMainFrame::setMode(InteractionMode mode) {
    m_view->setInteractionMode(mode);
}

void CMainFrame::limitMarkerNumber() {
    MarkerNumberBox* box = m_ribbon->markerNumberBox();
    const std::string limited =
        limitedMarkerNumber(box->text().toStdString(), m_app.work().markers().count());
    box->setText(QString::fromStdString(limited));
}

void CMainFrame::showMarkerAtTop() {
    const QString text = m_ribbon->markerNumberBox()->text();
    const int count = m_app.work().markers().count();
    if (!text.isEmpty() && count > 0) {
        const int n = std::clamp(markerNumberOf(text.toStdString()), 1, count);
        m_view->ScrollToMarker(n - 1);
    }
    m_view->setFocus();
}

void CMainFrame::clearAllMarkers() {
    if (showMessage(m_app.ui(), msg::AskClearAllMarkers, {}, BoxStyle::YesNo) != Yes)
        return;
    m_app.work().markers().clear();
    m_view->RepaintDumpView(RepaintRegion::WholeView);
    m_app.work().setModified(true);
}

void CMainFrame::refreshRecentFiles() {
    RecentFileList& recent = m_app.recentFiles();
    QStringList texts;
    for (int n = 0; n < static_cast<int>(recent.entries().size());) {
        const std::size_t before = recent.entries().size();
        const QString text = QString::fromStdString(recent.itemText(n));
        // An entry that is not a marker file has just left the list.
        if (recent.entries().size() < before)
            continue;
        // "&1 " and then the file name, whose own "&" must not become a mnemonic.
        const qsizetype blank = text.indexOf(QLatin1Char(' '));
        texts << text.left(blank + 1) + text.mid(blank + 1).replace("&", "&&");
        ++n;
    }
    for (int n = 0; n < kRecentFileCount; ++n) {
        QAction* action = m_commands->action(ID_FILE_MRU_FIRST + n);
        action->setVisible(n < texts.size());
        action->setText(n < texts.size() ? texts[n] : QString());
    }
}

CommandContext CMainFrame::commandContext() const {
    const Work& work = m_app.work();
    CommandContext c;
    c.fileOpen = work.isOpen();
    c.named = !work.isUnnamed() && !work.markerFilePath().empty();
    c.markerCount = work.markers().count();
    c.mode = m_app.view().mode;
    c.penColor = m_app.view().penColor;
    c.searchHit = work.searchHit().exists();
    c.linkLines = work.header().linkLinesOn();
    c.linkedScrolling = work.header().linkedScrollingOn();
    return c;
}

void CMainFrame::updateCommands() {
    m_updatePending = false;
    m_commands->update(commandContext());
    m_status->refresh();
}

void CMainFrame::scheduleUpdate() {
    if (m_updatePending)
        return;
    m_updatePending = true;
    QTimer::singleShot(0, this, &CMainFrame::updateCommands);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (mayChangeCommandState(event->type()))
        scheduleUpdate();
    if (event->type() == QEvent::Wheel &&
        forwardWheelToView(watched, *static_cast<QWheelEvent*>(event)))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

bool CMainFrame::forwardWheelToView(QObject* receiver, const QWheelEvent& wheel) {
    // The wheel scrolls the list wherever the pointer is in the window; only the marker number
    // box keeps it for its own steps.
    auto* widget = qobject_cast<QWidget*>(receiver);
    if (!widget || widget->window() != this || widget == m_view->viewport() ||
        m_view->viewport()->isAncestorOf(widget) || qobject_cast<QAbstractSpinBox*>(widget))
        return false;
    QWheelEvent forwarded(m_view->viewport()->mapFromGlobal(wheel.globalPosition()),
                          wheel.globalPosition(), wheel.pixelDelta(), wheel.angleDelta(),
                          wheel.buttons(), wheel.modifiers(), wheel.phase(), wheel.inverted());
    QApplication::sendEvent(m_view->viewport(), &forwarded);
    return true;
}

void CMainFrame::restorePlacement(const QSize& screen, const QRect& available) {
    WindowRect r;
    if (hasStoredWindowRect(m_app.settings())) {
        r = placeOnScreen(storedWindowRect(m_app.settings()), screen.width(), screen.height());
    } else {
        // The ribbon, the view and the status bar together say what they need.
        const QSize wanted = sizeHint();
        r = firstStartRect(wanted.width(), wanted.height(),
                           {available.x(), available.y(), available.width(), available.height()});
    }
    setGeometry(r.x, r.y, r.width, r.height);
}

void CMainFrame::showAtStart() {
    if (storedZoomed(m_app.settings()))
        showMaximized();
    else
        show();
    // Not every window manager activates a new window (none does under a bare X server): ask
    // for it, so the arrow keys move the reference point before the first click.
    activateWindow();
    m_view->setFocus();
}

void CMainFrame::savePlacement() {
    const bool zoomed = isMaximized();
    const QRect r = zoomed ? normalGeometry() : geometry();
    storeWindowPlacement(m_app.settings(), {r.x(), r.y(), r.width(), r.height()}, zoomed);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!m_app.workflow().confirmExit()) {
        event->ignore();
        return;
    }
    savePlacement();
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    const bool localFiles =
        !urls.isEmpty() &&
        std::all_of(urls.begin(), urls.end(), [](const QUrl& u) { return u.isLocalFile(); });
    if (localFiles)
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    std::vector<std::string> paths;
    for (const QUrl& url : event->mimeData()->urls())
        paths.push_back(url.toLocalFile().toStdString());
    event->acceptProposedAction();
    // The questions a drop may ask come up after the drag has ended, so the program the files
    // came from is not kept waiting.
    QTimer::singleShot(0, this, [this, paths] {
        m_app.workflow().dropFiles(paths);
        updateCommands();
    });
}

} // namespace byzel

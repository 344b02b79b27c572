#include "markers/markercommands.h"

#include "app/tormelapp.h"
#include "core/markers/remarktext.h"
#include "markers/batchdlg.h"
#include "markers/markmentdlg.h"
#include "markers/movemarkdlg.h"
#include "markers/propertydlg.h"
#include "view/tormelview.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QTimer>

#include <numeric>

namespace byzel {
namespace {

// How long the wait cursor tells that a remark was copied.
constexpr int kCopyFeedbackMs = 100;

bool clipboardHasText() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard && !clipboard->text().isEmpty();
}

} // namespace

MarkerCommands::MarkerCommands(CTormelApp& app, CTormelView& view, const MarkerToolHooks& tools,
                               QWidget* dialogParent)
    : QObject(dialogParent), m_app(app), m_view(view), m_tools(tools),
      m_dialogParent(dialogParent) {}

MarkerEditing MarkerCommands::editing() const {
    CTormelView* view = &m_view;
    return {m_app.work(), m_app.ui(),
            [view](RepaintRegion region) { view->RepaintDumpView(region); }};
}

bool MarkerCommands::validMarker(int marker) const {
    return marker >= 0 && marker < m_app.work().markers().count();
}

QMenu* MarkerCommands::buildMenu(const QString& name, int marker, QPoint clickedPoint) {
    auto* menu = new QMenu(m_dialogParent);
    const bool normalMode = m_app.view().mode == InteractionMode::Normal;
    auto add = [&](QMenu* into, int id, const QString& text, bool enabled = true) {
        QAction* action = into->addAction(
            text, this, [this, id, marker, clickedPoint] { run(id, marker, clickedPoint); });
        action->setData(id);
        action->setEnabled(enabled);
    };
    const QString referencePoint = tr("ここを基準点にする(&K)\tWClick");
    const QString crc = tr("基準点からここまでのCRCを表示(&R)");
    const QString recolor = tr("この色のマーカの色を全て変更(&A)");
    const QString penColor = tr("この色を現在のマーカ色にする(&S)");
    const QString clear = tr("このマーカをクリア(&C)");
    const QString move = tr("このマーカ以下を移動(&M)");
    if (name == QLatin1String("VIEW")) {
        add(menu, ID_SET_REFERENCE_POINT, referencePoint);
        add(menu, ID_CRC_TO_HERE, crc, bool(m_tools.showCrcReport));
        menu->addSeparator();
        add(menu, ID_COUNT_OCCURRENCES, tr("出現回数表示(&A)"), bool(m_tools.showOccurrences));
    } else if (name == QLatin1String("VIEW_MARKER")) {
        add(menu, ID_SET_REFERENCE_POINT, referencePoint);
        add(menu, ID_CRC_TO_HERE, crc, bool(m_tools.showCrcReport));
        menu->addSeparator();
        add(menu, ID_RECOLOR_ALL, recolor);
        add(menu, ID_TAKE_PEN_COLOR, penColor);
        menu->addSeparator();
        add(menu, ID_CLEAR_MARKER, clear, normalMode);
        add(menu, ID_MOVE_MARKERS, move, normalMode);
        menu->addSeparator();
        QMenu* files = menu->addMenu(tr("マーカからファイル作成(&F)"));
        const bool canWrite = bool(m_tools.writeMarkersToFile);
        add(files, ID_FILE_FROM_MARKER, tr("このマーカのみのファイル作成(&F)"), canWrite);
        add(files, ID_FILE_FROM_ALL_MARKERS, tr("すべてのマーカ部分でファイル作成(&Z)"), canWrite);
        menu->addSeparator();
        add(menu, ID_MARKER_PROPERTIES, tr("このマーカのプロパティ(&Q)"));
    } else if (name == QLatin1String("MARKER_NO")) {
        add(menu, ID_MARKER_TO_TOP, tr("このマーカを最上段に表示(&F)"));
        add(menu, ID_RECOLOR_ALL, recolor);
        add(menu, ID_TAKE_PEN_COLOR, penColor);
        menu->addSeparator();
        add(menu, ID_CLEAR_MARKER, clear, normalMode);
        add(menu, ID_MOVE_MARKERS, move, normalMode);
        menu->addSeparator();
        add(menu, ID_COPY_REMARK, tr("このマーカの説明文をコピー(&T)"));
        add(menu, ID_PASTE_REMARK, tr("貼り付け(&P)"), clipboardHasText());
        menu->addSeparator();
        add(menu, ID_MARKER_PROPERTIES, tr("このマーカのプロパティ(&Q)\tWClick"));
    }
    return menu;
}

void MarkerCommands::showMenu(const QString& name, int marker, const QPoint& globalPos) {
    QMenu* menu = buildMenu(name, marker, m_view.clickedPoint());
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(globalPos);
}

void MarkerCommands::run(int command, int marker, QPoint clickedPoint) {
    switch (command) {
    case ID_SET_REFERENCE_POINT:
        setReferencePoint(clickedPoint);
        break;
    case ID_CRC_TO_HERE:
        if (m_tools.showCrcReport)
            m_tools.showCrcReport(m_view.OffsetAtPoint(clickedPoint));
        break;
    case ID_COUNT_OCCURRENCES:
        if (m_tools.showOccurrences)
            m_tools.showOccurrences();
        break;
    case ID_FILE_FROM_ALL_MARKERS:
        if (m_tools.writeMarkersToFile && !m_app.work().markers().empty()) {
            std::vector<int> all(static_cast<size_t>(m_app.work().markers().count()));
            std::iota(all.begin(), all.end(), 0);
            m_tools.writeMarkersToFile(all);
        }
        break;
    default:
        if (!validMarker(marker))
            return;
        switch (command) {
        case ID_RECOLOR_ALL:
            recolorAll(marker);
            break;
        case ID_TAKE_PEN_COLOR:
            takePenColor(marker);
            break;
        case ID_CLEAR_MARKER:
            clearMarker(marker);
            break;
        case ID_MOVE_MARKERS:
            openMoveDialog(marker);
            break;
        case ID_FILE_FROM_MARKER:
            if (m_tools.writeMarkersToFile)
                m_tools.writeMarkersToFile({marker});
            break;
        case ID_MARKER_PROPERTIES:
            openProperties(marker);
            break;
        case ID_MARKER_TO_TOP:
            m_view.ScrollToMarker(marker);
            break;
        case ID_COPY_REMARK:
            copyRemark(marker);
            break;
        case ID_PASTE_REMARK:
            pasteRemark(marker);
            break;
        default:
            return;
        }
    }
    emit stateChanged();
}

void MarkerCommands::recolorAll(int marker) {
    if (!validMarker(marker))
        return;
    MarkerTable& markers = m_app.work().markers();
    const ColorRef old = markers[marker].color;
    const auto picked = m_app.ui().chooseColor(old);
    if (!picked || *picked == old)
        return;
    if (showMessage(m_app.ui(), msg::AskRecolorAll, {}, BoxStyle::YesNo) != Yes)
        return;
    markers.recolorAll(old, *picked);
    editing().changed(RepaintRegion::WholeView);
}

void MarkerCommands::takePenColor(int marker) {
    if (!validMarker(marker))
        return;
    // Marker mode with the marker's colour; the cursor shows the mode as for the ribbon's pens.
    m_view.setPenColor(m_app.work().markers()[marker].color);
}

void MarkerCommands::clearMarker(int marker) {
    if (!validMarker(marker))
        return;
    if (showMessage(m_app.ui(), msg::AskClearMarker, {}, BoxStyle::YesNo) != Yes)
        return;
    m_app.work().markers().removeAt(marker);
    editing().changed(RepaintRegion::WholeView);
}

void MarkerCommands::copyRemark(int marker) {
    if (!validMarker(marker))
        return;
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return;
    clipboard->setText(
        QString::fromStdString(remarkToUtf8(m_app.work().markers()[marker].remarkText())));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QTimer::singleShot(kCopyFeedbackMs, [] { QApplication::restoreOverrideCursor(); });
}

void MarkerCommands::pasteRemark(int marker) {
    if (!validMarker(marker))
        return;
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QString text = clipboard ? clipboard->text() : QString();
    if (text.isEmpty())
        return;
    // A remark holds 239 bytes: a longer text keeps what fits, cut between characters.
    const std::string remark(fittingRemark(remarkFromUtf8(text.toStdString())));
    MarkerTable& markers = m_app.work().markers();
    const std::string_view current = markers[marker].remarkText();
    if (!current.empty()) {
        const std::string lead = "現在の説明文:" + remarkToUtf8(current) + "\n";
        if (showMessage(m_app.ui(), msg::AskOverwriteRemark, lead, BoxStyle::YesNo) != Yes)
            return;
    }
    if (!markers.setRemark(marker, remark))
        return;
    editing().changed(RepaintRegion::RemarkPart);
}

void MarkerCommands::setReferencePoint(QPoint clickedPoint) {
    const Offset b = m_view.OffsetAtPoint(clickedPoint);
    if (b < 0)
        return;
    m_app.view().referencePoint = b;
    m_view.RepaintDumpView(RepaintRegion::HexArea);
    emit m_view.referencePointChanged(b);
}

void MarkerCommands::openProperties(int marker) {
    if (!validMarker(marker))
        return;
    CPropertyDlg dialog(editing(), marker, m_dialogParent);
    dialog.exec();
    emit stateChanged();
}

void MarkerCommands::openMoveDialog(int first) {
    if (!validMarker(first))
        return;
    CMoveMarkDlg dialog(editing(), first, m_dialogParent);
    dialog.exec();
    emit stateChanged();
}

void MarkerCommands::openManagementList() {
    if (m_app.work().markers().empty())
        return;
    CMarkMentDlg dialog(editing(), m_tools, m_dialogParent);
    dialog.exec();
    emit stateChanged();
}

void MarkerCommands::openBulkEditor() {
    if (m_app.work().markers().empty())
        return;
    CBatchDlg dialog(editing(), m_dialogParent);
    dialog.exec();
    emit stateChanged();
}

} // namespace byzel

// Pointer and keyboard input of the dump view.

#include "app/tormelapp.h"
#include "core/markers/markerpen.h"
#include "core/text/messages.h"
#include "core/text/sjis.h"
#include "core/viewmodel/valuecheck.h"
#include "view/cursors.h"
#include "view/tormelview.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <cstdlib>

namespace byzel {

namespace {
// A press and release closer than this in both directions is a click, not a drag.
constexpr int kDragThreshold = 6;
// One notch of a wheel, in eighths of a degree.
constexpr int kWheelNotch = 120;
constexpr ColorRef kValueCheckPopupColor = 0xFFFFFF;

const QString kPopupHint = QStringLiteral("マーカをクリックすると説明をポップアップ表示します");
const QString kNumberCellHint = QStringLiteral("マーカをＷクリックするとプロパティを表示します");
const QString kRemarkAreaHint =
    QStringLiteral("説明領域をＷクリックすると一括編集ウィンドウを表示します");

QString markerPopupText(const MarkerRecord& r, int index) {
    const std::string remark = cp932ToUtf8(r.remarkText());
    return QStringLiteral("No %1_").arg(index + 1) +
           QString::fromUtf8(remark.data(), qsizetype(remark.size()));
}
} // namespace

void CTormelView::updateCursor() {
    switch (state().mode) {
    case InteractionMode::Marker:
        viewport()->setCursor(penCursor(m_laying ? PenCursor::Laying : PenCursor::Pen));
        break;
    case InteractionMode::Modify:
        viewport()->setCursor(penCursor(m_relaying ? PenCursor::Relaying : PenCursor::Modify));
        break;
    case InteractionMode::Normal:
    case InteractionMode::ValueCheck:
        viewport()->unsetCursor();
        break;
    }
}

void CTormelView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && isOpen())
        leftPress(event->position().toPoint());
}

void CTormelView::mouseMoveEvent(QMouseEvent* event) {
    if (isOpen())
        pointerMove(event->position().toPoint());
}

void CTormelView::mouseReleaseEvent(QMouseEvent* event) {
    if (!isOpen())
        return;
    if (event->button() == Qt::LeftButton)
        leftRelease(event->position().toPoint());
    else if (event->button() == Qt::RightButton)
        rightRelease(event->position().toPoint());
}

void CTormelView::leftPress(QPoint p) {
    ViewState& vs = state();
    MarkerTable& markers = work().markers();
    const Offset b = OffsetAtPoint(p);
    if (vs.mode == InteractionMode::ValueCheck) {
        if (b >= 0) {
            vs.valueCheck = {b, -1, -1, -1, -1, -1};
            return;
        }
        setInteractionMode(InteractionMode::Normal);
    }
    switch (vs.mode) {
    case InteractionMode::Normal:
    case InteractionMode::Marker:
        m_pressInDumpPart = inDumpPart(p.x(), m_metrics, m_hpos);
        m_pressed = true;
        m_pressPoint = p;
        if (!work().header().linkLinesOn())
            showTemporaryLinkLine(MarkerNumberAtPoint(p));
        break;
    case InteractionMode::Modify:
    case InteractionMode::ValueCheck:
        break;
    }

    if (vs.mode == InteractionMode::Normal) {
        const int i = b >= 0 ? markers.findAt(b, work().dump().lastOffset()) : -1;
        if (i >= 0)
            ShowPopup(markers[i].color, markerPopupText(markers[i], i), p.x(), p.y());
    } else if (vs.mode == InteractionMode::Marker) {
        updateCursor();
        if (b < 0)
            return;
        const int refused = beginLaying(markers, b, work().dump().lastOffset(), vs.penColor);
        if (refused == msg::MarkerLimit)
            setInteractionMode(InteractionMode::Normal);
        if (refused != 0) {
            showMessage(m_app.ui(), refused);
            return;
        }
        m_anchor = m_lastOffset = b;
        m_laying = true;
        updateCursor();
        RepaintDumpView(RepaintRegion::HexArea);
    } else if (vs.mode == InteractionMode::Modify) {
        updateCursor();
        const int i = b >= 0 ? markers.findAt(b, work().dump().lastOffset()) : -1;
        if (i < 0)
            return;
        m_relaidMarker = i;
        m_savedStart = markers[i].start;
        m_savedEnd = markers[i].end;
        m_anchor = m_lastOffset = b;
        markers.setRange(i, b, b);
        m_relaying = true;
        updateCursor();
        RepaintDumpView(RepaintRegion::HexArea);
    }
}

void CTormelView::showTemporaryLinkLine(int marker) {
    if (marker < 0)
        return;
    m_temporaryLinkLine = marker;
    RepaintDumpView(RepaintRegion::DumpPart);
}

void CTormelView::showValueCheck(QPoint p) {
    const ValueCheckNumbers numbers = FormatValueCheck(state().valueCheck, work().dump());
    if (numbers.empty())
        return;
    m_app.showValues(QString::fromStdString(numbers.bigEndian),
                     QString::fromStdString(numbers.littleEndian));
    ShowPopup(kValueCheckPopupColor, QString::fromStdString(numbers.popupText), p.x(), p.y());
}

QString CTormelView::hintAt(QPoint p) const {
    const Offset b = OffsetAtPoint(p);
    if (b >= 0) {
        const int i = work().markers().findAt(b, work().dump().lastOffset());
        return i >= 0 && i % 3 == 0 ? kPopupHint : QString();
    }
    if (MarkerNumberAtPoint(p) >= 0)
        return kNumberCellHint;
    if (inRemarkTextArea(p.x(), m_metrics, m_hpos))
        return kRemarkAreaHint;
    return {};
}

void CTormelView::pointerMove(QPoint p) {
    if (!viewport()->rect().contains(p)) {
        m_pressed = false;
        return;
    }
    ViewState& vs = state();
    MarkerTable& markers = work().markers();
    switch (vs.mode) {
    case InteractionMode::Normal:
        emit hintChanged(hintAt(p));
        return;
    case InteractionMode::ValueCheck: {
        const Offset b = OffsetAtPoint(p);
        if (vs.valueCheck[0] == -1 || b < 0)
            return;
        vs.valueCheck = valueCheckSelection(vs.valueCheck[0], b);
        RepaintDumpView(RepaintRegion::HexArea);
        emit valueCheckChanged();
        showValueCheck(p);
        return;
    }
    case InteractionMode::Marker:
    case InteractionMode::Modify:
        break;
    }
    updateCursor();
    const bool laying = vs.mode == InteractionMode::Marker && m_laying;
    const bool relaying = vs.mode == InteractionMode::Modify && m_relaying && m_relaidMarker >= 0;
    if (!laying && !relaying)
        return;
    const int index = laying ? markers.count() - 1 : m_relaidMarker;
    const Offset b = OffsetAtPoint(p);
    if (b < 0) {
        markers.normalize(index);
        RepaintDumpView(RepaintRegion::HexArea);
    } else if (b != m_lastOffset) {
        markers.setRange(index, std::min(m_anchor, b), std::max(m_anchor, b));
        RepaintDumpView(RepaintRegion::HexArea);
        m_lastOffset = b;
    }
}

void CTormelView::leftRelease(QPoint p) {
    HidePopup();
    // Whatever the mode has become since the press, the line it showed goes with the release.
    if (m_temporaryLinkLine >= 0) {
        m_temporaryLinkLine = -1;
        RepaintDumpView(RepaintRegion::DumpPart);
    }
    const bool inside = viewport()->rect().contains(p);
    switch (state().mode) {
    case InteractionMode::Normal:
        if (inside)
            dragScroll(p);
        m_pressed = false;
        break;
    case InteractionMode::Marker:
        m_pressed = false;
        releaseLaying(inside ? p : QPoint(-1, -1));
        break;
    case InteractionMode::ValueCheck:
        state().valueCheck = {-1, -1, -1, -1, -1, -1};
        RepaintDumpView(RepaintRegion::WholeView);
        emit valueCheckChanged();
        break;
    case InteractionMode::Modify:
        releaseRelaying(inside ? p : QPoint(-1, -1));
        break;
    }
    updateCursor();
}

void CTormelView::dragScroll(QPoint p) {
    if (!m_pressed)
        return;
    m_pressed = false;
    const QPoint d = p - m_pressPoint;
    if (std::abs(d.x()) < kDragThreshold && std::abs(d.y()) < kDragThreshold)
        return;
    ViewState& vs = state();
    if (!m_pressInDumpPart) {
        vs.remarkStart = dragScrolledRemarkStart(vs.remarkStart, d.y(), m_metrics.lineHeight,
                                                 work().markers().count());
        applyColumnRule();
    } else {
        vs.topRow = dragScrolledTopRow(vs.topRow, d.y(), m_metrics.lineHeight,
                                       work().dump().totalRows(), vs.visibleRows);
        RefreshAfterScroll();
    }
}

void CTormelView::releaseLaying(QPoint p) {
    if (!m_laying)
        return;
    m_laying = false;
    MarkerTable& markers = work().markers();
    // Released off the bytes, the range shown last stays.
    const Offset b = OffsetAtPoint(p);
    if (b >= 0)
        stretchLaying(markers, m_anchor, b);
    const int refused = finishLaying(markers);
    if (refused != 0)
        showMessage(m_app.ui(), refused);
    else
        work().setModified(true);
    RepaintDumpView(RepaintRegion::WholeView);
}

void CTormelView::releaseRelaying(QPoint p) {
    if (!m_relaying)
        return;
    m_relaying = false;
    const int index = m_relaidMarker;
    m_relaidMarker = -1;
    if (index < 0)
        return;
    MarkerTable& markers = work().markers();
    const Offset b = OffsetAtPoint(p);
    if (b < 0) {
        markers.setRange(index, m_savedStart, m_savedEnd);
    } else {
        markers.setRange(index, std::min(m_anchor, b), std::max(m_anchor, b));
        if (markers.overlapsOthers(index)) {
            markers.setRange(index, m_savedStart, m_savedEnd);
            showMessage(m_app.ui(), msg::MarkerOverlap);
        } else {
            work().setModified(true);
        }
    }
    RepaintDumpView(RepaintRegion::HexArea);
}

void CTormelView::rightRelease(QPoint p) {
    m_clickedPoint = p;
    const MarkerTable& markers = work().markers();
    QString menu;
    if (const int number = MarkerNumberAtPoint(p); number >= 0) {
        m_clickedMarker = number;
        menu = QStringLiteral("MARKER_NO");
    } else if (const Offset b = OffsetAtPoint(p); b >= 0) {
        m_clickedMarker = markers.findAt(b, work().dump().lastOffset());
        menu = m_clickedMarker >= 0 ? QStringLiteral("VIEW_MARKER") : QStringLiteral("VIEW");
    } else {
        return;
    }
    emit contextMenuRequested(menu, m_clickedMarker, viewport()->mapToGlobal(p));
}

void CTormelView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !isOpen())
        return;
    const QPoint p = event->position().toPoint();
    if (const Offset b = OffsetAtPoint(p); b >= 0) {
        state().referencePoint = b;
        RepaintDumpView(RepaintRegion::HexArea);
        emit referencePointChanged(b);
    } else if (const int number = MarkerNumberAtPoint(p); number >= 0) {
        emit markerPropertiesRequested(number);
    } else if (inRemarkTextArea(p.x(), m_metrics, m_hpos)) {
        emit bulkEditorRequested();
    }
}

void CTormelView::wheelEvent(QWheelEvent* event) {
    event->accept();
    if (!isOpen())
        return;
    // Fine-grained wheels and touchpads add up to whole notches.
    m_wheelAngle += event->angleDelta().y();
    while (std::abs(m_wheelAngle) >= kWheelNotch) {
        const bool backward = m_wheelAngle > 0;
        m_wheelAngle += backward ? -kWheelNotch : kWheelNotch;
        ViewState& vs = state();
        const int step =
            event->modifiers() == Qt::ControlModifier ? std::max(1, vs.visibleRows) : 1;
        if (inDumpPart(static_cast<int>(event->position().x()), m_metrics, m_hpos)) {
            const auto row = wheelScrolled(vs.topRow, step, backward,
                                           lastTopRow(work().dump().totalRows(), vs.visibleRows));
            if (!row)
                continue;
            vs.topRow = *row;
            RefreshAfterScroll();
        } else {
            const auto start =
                wheelScrolled(vs.remarkStart, step, backward, work().markers().count() - 1);
            if (!start)
                continue;
            vs.remarkStart = *start;
            applyColumnRule();
        }
    }
}

void CTormelView::keyPressEvent(QKeyEvent* event) {
    if (!isOpen()) {
        event->ignore();
        return;
    }
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Left:
        StepReferencePoint(StepDirection::Left);
        break;
    case Qt::Key_Right:
        StepReferencePoint(StepDirection::Right);
        break;
    case Qt::Key_Up:
    case Qt::Key_Down: {
        const bool down = event->key() == Qt::Key_Down;
        if (!ctrl) {
            StepReferencePoint(down ? StepDirection::Down : StepDirection::Up);
            break;
        }
        ViewState& vs = state();
        const auto step =
            stepWithList(down, vs.referencePoint, vs.topRow, work().dump().totalRows(),
                         vs.visibleRows, work().dump().lastOffset());
        if (step) {
            vs.referencePoint = step->referencePoint;
            vs.topRow = step->topRow;
            RefreshAfterScroll();
            emit referencePointChanged(vs.referencePoint);
        }
        break;
    }
    default:
        // Other keys are the frame's: Ctrl+Home and Ctrl+End are its commands.
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace byzel

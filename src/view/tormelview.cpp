#include "view/tormelview.h"

#include "app/listingfont.h"
#include "app/tormelapp.h"
#include "core/dumpfile/dumpgeometry.h"
#include "core/settings/settings.h"
#include "view/dumppainter.h"
#include "view/linklinepainter.h"
#include "view/popup.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

namespace byzel {

namespace {
// Pixels a horizontal page request moves.
constexpr int kHorizontalPage = 20;

QRect toQRect(const PixelRect& r) {
    return QRect(r.left, r.top, r.width(), r.height());
}
// Data rows a first start shows, and the client height the row count leaves unused.
constexpr int kFirstLookRows = 32;
constexpr int kRowAreaMargin = 10;
} // namespace

CTormelView::CTormelView(CTormelApp& app, QWidget* parent)
    : QAbstractScrollArea(parent), m_app(app), m_popup(new CPopup(viewport())) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    m_app.attachView(this);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    // Hidden until a dump file is laid out.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    horizontalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setPageStep(kHorizontalPage);
    verticalScrollBar()->setSingleStep(1);
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this,
            &CTormelView::onVerticalAction);
    connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this,
            &CTormelView::onHorizontalAction);
    setScrollBarOnLeft(m_app.settings().readInt(section::Settings, "LeftScrolBar") == 1);
    refreshFont();
}

CTormelView::~CTormelView() {
    m_app.detachView(this);
}

void CTormelView::setScrollBarOnLeft(bool left) {
    // A scroll area puts its vertical bar on the left when laid out right to left; everything
    // inside it stays left to right.
    setLayoutDirection(left ? Qt::RightToLeft : Qt::LeftToRight);
    viewport()->setLayoutDirection(Qt::LeftToRight);
    horizontalScrollBar()->setLayoutDirection(Qt::LeftToRight);
}

Work& CTormelView::work() const {
    return m_app.work();
}

ViewState& CTormelView::state() const {
    return m_app.view();
}

bool CTormelView::isOpen() const {
    return m_app.work().isOpen();
}

void CTormelView::refreshFont() {
    // Rebuilt from the settings each time, so a changed font shows at the next repaint.
    m_font = createListingFont(m_app.settings());
    m_metrics = listingMetrics(m_font);
    // Every cell is drawn at its column, so the 76-column header is 76 cells wide whatever the
    // font's own advances add up to.
    m_headerWidth = kRowLineLength * m_metrics.charWidth;
}

QSize CTormelView::sizeHint() const {
    // One pixel more than the content, so the horizontal scroll bar stays hidden.
    const int width = contentWidth(m_headerWidth, m_metrics, work().markers()) + 1;
    const int height = (2 + kFirstLookRows) * m_metrics.lineHeight + kRowAreaMargin;
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    return {width + scrollBar + 2 * frameWidth(), height + 2 * frameWidth()};
}

void CTormelView::LayoutDumpView() {
    if (!isOpen() || m_inLayout)
        return;
    // Showing or hiding a scroll bar resizes the viewport, which lays out again.
    m_inLayout = true;
    refreshFont();
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    const int width = viewport()->width();
    const int content = contentWidth(m_headerWidth, m_metrics, work().markers());
    if (content < width) {
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_hrange = 0;
        m_hpos = 0;
    } else {
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        m_hrange = content - width;
        m_hpos = std::min(m_hpos, m_hrange);
    }
    horizontalScrollBar()->setRange(0, m_hrange);

    ViewState& vs = state();
    const Offset total = work().dump().totalRows();
    vs.visibleRows = visibleRowsFor(viewport()->height(), m_metrics.lineHeight);
    const VerticalScrollRange range = verticalScrollRange(total, vs.visibleRows);
    m_scaled = range.scaled;
    m_scaledRange = range.realMaximum;
    verticalScrollBar()->setRange(0, range.maximum);
    verticalScrollBar()->setPageStep(std::max(1, range.scaled ? 1 : vs.visibleRows));
    vs.topRow = clampTopRow(vs.topRow, total, vs.visibleRows);
    m_inLayout = false;
    viewport()->update();
    setThumbs();
}

void CTormelView::RepaintDumpView(RepaintRegion region) {
    if (!isOpen())
        return;
    refreshFont();
    viewport()->update(toQRect(repaintRect(region, m_metrics, m_headerWidth, m_hpos,
                                           viewport()->width(), viewport()->height())));
    setThumbs();
}

void CTormelView::setThumbs() {
    verticalScrollBar()->setValue(thumbForTopRow(state().topRow, m_scaled, m_scaledRange));
    horizontalScrollBar()->setValue(m_hpos);
}

void CTormelView::RefreshAfterScroll() {
    if (work().header().linkedScrollingOn() && SyncRemarkColumn())
        RepaintDumpView(RepaintRegion::WholeView);
    else
        RepaintDumpView(RepaintRegion::DumpPart);
}

bool CTormelView::SyncRemarkColumn() {
    const auto found =
        byzel::SyncRemarkColumn(work().markers(), state().topRow, state().visibleRows);
    if (found)
        state().remarkStart = *found;
    return found.has_value();
}

void CTormelView::ScrollToRow(Offset row) {
    state().topRow = clampTopRow(row, work().dump().totalRows(), state().visibleRows);
    RefreshAfterScroll();
}

void CTormelView::ScrollToMarker(int index) {
    const MarkerTable& markers = work().markers();
    if (index < 0 || index >= markers.count())
        return;
    state().topRow =
        clampTopRow(markers[index].start / 16, work().dump().totalRows(), state().visibleRows);
    RepaintDumpView(RepaintRegion::WholeView);
}

bool CTormelView::StepReferencePoint(StepDirection direction) {
    if (!isOpen())
        return false;
    ViewState& vs = state();
    const auto step = byzel::StepReferencePoint(direction, vs.referencePoint, vs.topRow,
                                                vs.visibleRows, work().dump().lastOffset());
    if (!step)
        return false;
    vs.referencePoint = step->referencePoint;
    vs.topRow = step->topRow;
    RefreshAfterScroll();
    emit referencePointChanged(vs.referencePoint);
    return true;
}

Offset CTormelView::OffsetAtPoint(QPoint p) const {
    if (!isOpen())
        return -1;
    return byzel::OffsetAtPoint(p.x(), p.y(), m_metrics, m_hpos, state().topRow,
                                work().dump().lastOffset());
}

int CTormelView::MarkerNumberAtPoint(QPoint p) const {
    return byzel::MarkerNumberAtPoint(p.x(), p.y(), m_metrics, m_hpos, state().visibleRows,
                                      state().remarkStart, work().markers().count());
}

PixelRect CTormelView::ByteCellRect(Offset b) const {
    return byzel::ByteCellRect(b, m_metrics, state().topRow, state().visibleRows);
}

void CTormelView::ShowPopup(ColorRef background, const QString& text, int x, int y) {
    const QSize size = m_popup->setContent(createListingFont(m_app.settings()), background, text);
    const PopupPlacement place =
        placePopup(x, y, size.width(), size.height(), viewport()->width(), viewport()->height());
    m_popup->setGeometry(toQRect(place.box));
    m_popup->show();
    m_popup->raise();
}

void CTormelView::HidePopup() {
    m_popup->hide();
}

bool CTormelView::popupShown() const {
    return m_popup->isVisible();
}

QRect CTormelView::popupRect() const {
    return m_popup->isVisible() ? m_popup->geometry() : QRect();
}

QString CTormelView::popupText() const {
    return m_popup->isVisible() ? m_popup->text() : QString();
}

void CTormelView::setInteractionMode(InteractionMode mode) {
    state().mode = mode;
    updateCursor();
}

void CTormelView::setPenColor(ColorRef color) {
    state().penColor = color;
    setInteractionMode(InteractionMode::Marker);
}

void CTormelView::layOut() {
    HidePopup();
    if (!isOpen()) {
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_hpos = m_hrange = 0;
        viewport()->update();
        return;
    }
    LayoutDumpView();
}

void CTormelView::repaint() {
    RepaintDumpView(RepaintRegion::WholeView);
}

void CTormelView::hidePopup() {
    HidePopup();
}

void CTormelView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.fillRect(event->rect(), Qt::white);
    if (!isOpen())
        return;
    const ViewState& vs = state();
    RenderInput in{.source = work().dump(),
                   .markers = work().markers(),
                   .searchHit = work().searchHit(),
                   .topRow = vs.topRow,
                   .visibleRows = vs.visibleRows,
                   .remarkStart = vs.remarkStart,
                   .referencePoint = vs.referencePoint,
                   .valueCheck = {-1, -1, -1, -1, -1, -1},
                   .markersSorted = !m_laying && !m_relaying,
                   .linkLines = work().header().linkLinesOn(),
                   .metrics = m_metrics};
    if (vs.mode == InteractionMode::ValueCheck)
        in.valueCheck = vs.valueCheck;
    painter.translate(-m_hpos, 0);
    RenderDumpList(painter, m_font, in);
    paintTemporaryLinkLine(painter);
}

void CTormelView::paintTemporaryLinkLine(QPainter& painter) const {
    if (m_temporaryLinkLine < 0)
        return;
    const ViewState& vs = state();
    const LinkLinePage page{.topRow = vs.topRow,
                            .visibleRows = vs.visibleRows,
                            .totalRows = work().dump().totalRows(),
                            .remarkStart = vs.remarkStart,
                            .metrics = m_metrics};
    // Over the finished picture, as if drawn straight onto the screen.
    if (const auto line = linkLineOfMarker(work().markers(), page, m_temporaryLinkLine))
        paintLinkLine(painter, *line);
}

bool CTormelView::viewportEvent(QEvent* event) {
    const bool handled = QAbstractScrollArea::viewportEvent(event);
    // The client area changes with the window and with the scroll bars coming and going, which
    // Qt may settle after a layout: every change lays the list out again.
    if (event->type() == QEvent::Resize)
        LayoutDumpView();
    return handled;
}

void CTormelView::scrollContentsBy(int, int) {
    // The view scrolls through its own state; the scroll bars only report requests.
}

void CTormelView::onVerticalAction(int action) {
    if (!isOpen())
        return;
    QScrollBar* bar = verticalScrollBar();
    ScrollRequest request;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        request = ScrollRequest::LineUp;
        break;
    case QAbstractSlider::SliderSingleStepAdd:
        request = ScrollRequest::LineDown;
        break;
    case QAbstractSlider::SliderPageStepSub:
        request = ScrollRequest::PageUp;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        request = ScrollRequest::PageDown;
        break;
    case QAbstractSlider::SliderToMinimum:
        request = ScrollRequest::Top;
        break;
    case QAbstractSlider::SliderToMaximum:
        request = ScrollRequest::Bottom;
        break;
    case QAbstractSlider::SliderMove:
        request = ScrollRequest::ThumbTrack;
        break;
    default:
        return;
    }
    ViewState& vs = state();
    const Offset row =
        topRowForScrollRequest(request, vs.topRow, bar->sliderPosition(), m_scaled, m_scaledRange,
                               work().dump().totalRows(), vs.visibleRows);
    if (row != vs.topRow) {
        vs.topRow = row;
        RefreshAfterScroll();
    }
    // The value the bar settles on is the thumb of the row actually shown.
    bar->setSliderPosition(thumbForTopRow(vs.topRow, m_scaled, m_scaledRange));
}

void CTormelView::onHorizontalAction(int action) {
    if (!isOpen())
        return;
    QScrollBar* bar = horizontalScrollBar();
    int pos = m_hpos;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        pos -= 1;
        break;
    case QAbstractSlider::SliderSingleStepAdd:
        pos += 1;
        break;
    case QAbstractSlider::SliderPageStepSub:
        pos -= kHorizontalPage;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        pos += kHorizontalPage;
        break;
    case QAbstractSlider::SliderToMinimum:
        pos = 0;
        break;
    case QAbstractSlider::SliderToMaximum:
        pos = m_hrange;
        break;
    case QAbstractSlider::SliderMove:
        pos = bar->sliderPosition();
        break;
    default:
        return;
    }
    pos = std::max(0, std::min(pos, m_hrange));
    if (pos != m_hpos) {
        m_hpos = pos;
        HidePopup();
        RepaintDumpView(RepaintRegion::WholeView);
    }
    bar->setSliderPosition(m_hpos);
}

void CTormelView::applyColumnRule() {
    if (work().header().linkedScrollingOn())
        ScrollToMarker(state().remarkStart);
    else if (work().header().linkLinesOn())
        RepaintDumpView(RepaintRegion::WholeView);
    else
        RepaintDumpView(RepaintRegion::RemarkPart);
}

} // namespace byzel

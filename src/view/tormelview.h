#pragma once

#include "core/viewmodel/viewgeometry.h"
#include "core/viewmodel/viewinput.h"
#include "core/viewmodel/viewstate.h"
#include "core/workflow/workview.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <QPoint>
#include <QString>

class QPainter;

namespace byzel {

class CTormelApp;
class CPopup;
class Work;

// The dump view: paints the dump list of the open work, owns its scroll position and turns
// pointer and keyboard input into pen gestures, reference point moves and scrolling. What
// other windows do about it (status bar, dialogs, menus) goes out through signals.
class CTormelView : public QAbstractScrollArea, public WorkView {
    Q_OBJECT
public:
    explicit CTormelView(CTormelApp& app, QWidget* parent = nullptr);
    ~CTormelView() override;

    // Recomputes the font metrics, the scroll ranges and the visible rows for the client area,
    // keeps the top row on the last page, and repaints everything.
    void LayoutDumpView();
    // Repaints a region of the view and sets both scroll thumbs.
    void RepaintDumpView(RepaintRegion region);
    // After a change of the top row or the reference point.
    void RefreshAfterScroll();
    // With linked scrolling: puts the first marker that starts on the page at the top of the
    // remark column. False when no marker starts there.
    bool SyncRemarkColumn();
    void ScrollToRow(Offset row);
    void ScrollToMarker(int index);
    // Moves the reference point one byte or one row, scrolling as needed; false when it could
    // not move.
    bool StepReferencePoint(StepDirection direction);

    // Hit tests in viewport coordinates.
    [[nodiscard]] Offset OffsetAtPoint(QPoint p) const;
    [[nodiscard]] int MarkerNumberAtPoint(QPoint p) const;
    [[nodiscard]] PixelRect ByteCellRect(Offset b) const;

    // A box of text next to the pointer, in the listing font, over the view.
    void ShowPopup(ColorRef background, const QString& text, int x, int y);
    void HidePopup();
    [[nodiscard]] bool popupShown() const;
    [[nodiscard]] QRect popupRect() const;
    [[nodiscard]] QString popupText() const;
    // Marker whose link line a press on its number cell shows, -1 when none is shown.
    [[nodiscard]] int temporaryLinkLine() const { return m_temporaryLinkLine; }

    // What the ribbon's mode commands call; the pen colour also selects marker mode.
    void setInteractionMode(InteractionMode mode);
    void setPenColor(ColorRef color);
    // The vertical scroll bar on the left ("LeftScrolBar" 1) or on the right side.
    void setScrollBarOnLeft(bool left);

    // Room for the listing with the remark column's heading, beside the vertical scroll bar,
    // and a good page of rows: the size a first start opens at.
    [[nodiscard]] QSize sizeHint() const override;

    [[nodiscard]] const CellMetrics& metrics() const { return m_metrics; }
    [[nodiscard]] const QFont& listingFont() const { return m_font; }
    [[nodiscard]] int headerWidth() const { return m_headerWidth; }
    [[nodiscard]] int horizontalPosition() const { return m_hpos; }
    [[nodiscard]] int horizontalRange() const { return m_hrange; }
    [[nodiscard]] bool scaledScrolling() const { return m_scaled; }
    [[nodiscard]] Offset scaledRange() const { return m_scaledRange; }
    // Marker and point of the last right-button release, for the context menu's commands.
    [[nodiscard]] int clickedMarker() const { return m_clickedMarker; }
    [[nodiscard]] QPoint clickedPoint() const { return m_clickedPoint; }

    // WorkView
    void layOut() override;
    void repaint() override;
    void hidePopup() override;

signals:
    // Hint for the first pane of the status bar; empty to clear it.
    void hintChanged(const QString& text);
    void referencePointChanged(Offset offset);
    void markerPropertiesRequested(int index);
    void bulkEditorRequested();
    // menu is "VIEW", "VIEW_MARKER" or "MARKER_NO"; marker is -1 for "VIEW".
    void contextMenuRequested(const QString& menu, int marker, const QPoint& globalPos);
    // The value check selection changed (or was cleared at the release).
    void valueCheckChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    [[nodiscard]] Work& work() const;
    [[nodiscard]] ViewState& state() const;
    [[nodiscard]] bool isOpen() const;
    void refreshFont();
    void setThumbs();
    void onVerticalAction(int action);
    void onHorizontalAction(int action);
    // After the user scrolled the remark column.
    void applyColumnRule();
    void updateCursor();
    void paintTemporaryLinkLine(QPainter& painter) const;

    void leftPress(QPoint p);
    void leftRelease(QPoint p);
    void rightRelease(QPoint p);
    void pointerMove(QPoint p);
    void releaseLaying(QPoint p);
    void releaseRelaying(QPoint p);
    void dragScroll(QPoint p);
    // The link line of a pressed number cell while link lines are off, until the release.
    void showTemporaryLinkLine(int marker);
    void showValueCheck(QPoint p);
    [[nodiscard]] QString hintAt(QPoint p) const;

    CTormelApp& m_app;
    QFont m_font;
    CellMetrics m_metrics;
    int m_headerWidth = 0;
    int m_hpos = 0;
    int m_hrange = 0;
    bool m_scaled = false;
    Offset m_scaledRange = 0;
    bool m_inLayout = false;

    // Pen gestures.
    bool m_laying = false;
    bool m_relaying = false;
    int m_relaidMarker = -1;
    Offset m_savedStart = 0;
    Offset m_savedEnd = 0;
    Offset m_anchor = 0;
    Offset m_lastOffset = 0;

    // Drag scrolling.
    bool m_pressed = false;
    QPoint m_pressPoint;
    bool m_pressInDumpPart = false;
    // Marker whose temporary link line is shown, -1 none.
    int m_temporaryLinkLine = -1;

    int m_clickedMarker = -1;
    QPoint m_clickedPoint;
    int m_wheelAngle = 0;
    CPopup* m_popup = nullptr;
};

} // namespace byzel

#include "app/colors.h"
#include "app/listingfont.h"
#include "app/snapshot.h"
#include "app/tormelapp.h"
#include "core/markerfile/markerfile.h"
#include "core/settings/memorysettings.h"
#include "core/text/messages.h"
#include "core/text/sjis.h"
#include "scriptedui.h"
#include "tempfolder.h"
#include "view/linklinepainter.h"
#include "view/tormelview.h"

#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace byzel;

namespace {

// A view of its own dump file, in a listing font of 8 x 16 pixel cells.
std::vector<std::uint8_t> countingBytes(std::size_t bytes) {
    std::vector<std::uint8_t> data(bytes);
    for (std::size_t i = 0; i < bytes; ++i)
        data[i] = static_cast<std::uint8_t>(i);
    return data;
}

struct ViewFixture {
    explicit ViewFixture(std::size_t bytes, QSize size = {900, 600})
        : ViewFixture(countingBytes(bytes), size) {}
    explicit ViewFixture(const std::vector<std::uint8_t>& data, QSize size = {900, 600}) {
        settings.writeInt(section::Settings, "FontSize", 11);
        const bool opened = app.work().dump().open(folder.write("dump.bin", data), ui);
        Q_ASSERT(opened);
        view = std::make_unique<CTormelView>(app);
        view->resize(size);
        view->show();
        view->layOut();
    }

    [[nodiscard]] QWidget* viewport() const { return view->viewport(); }
    [[nodiscard]] ViewState& state() { return app.view(); }
    [[nodiscard]] MarkerTable& markers() { return app.work().markers(); }
    [[nodiscard]] const CellMetrics& m() const { return view->metrics(); }

    // Middle of the hexadecimal cell of byte b.
    [[nodiscard]] QPoint at(Offset b) const {
        const int line = b / 16 - app.view().topRow;
        const int column = b % 16;
        return {(9 + 3 * column) * m().charWidth + m().charWidth - view->horizontalPosition(),
                (2 + line) * m().lineHeight + m().lineHeight / 2};
    }
    // On the address column of the first data line: inside the view, on no byte.
    [[nodiscard]] QPoint addressColumn() const { return {2 * m().charWidth, 3 * m().lineHeight}; }

    // Sizes the view so that it shows exactly this many data rows.
    void showRows(int rows) {
        for (int height = 200; height < 2000 && state().visibleRows != rows; ++height)
            view->resize(view->width(), height);
    }
    [[nodiscard]] QImage picture() const { return viewport()->grab().toImage(); }
    // Middle of data line k's row, and of the number cell's left margin on it.
    [[nodiscard]] int lineMiddle(int k) const {
        return (k + 2) * m().lineHeight + m().lineHeight / 2;
    }
    [[nodiscard]] QPoint numberCell(int k) const {
        return {(kNumberCellColumn + 2) * m().charWidth - view->horizontalPosition(),
                lineMiddle(k)};
    }

    void press(QPoint p) { QTest::mousePress(viewport(), Qt::LeftButton, {}, p); }
    void move(QPoint p) { QTest::mouseMove(viewport(), p); }
    void release(QPoint p) { QTest::mouseRelease(viewport(), Qt::LeftButton, {}, p); }
    // A move with no button held, straight to the view whatever the window system last saw.
    void hover(QPoint p) {
        QMouseEvent event(QEvent::MouseMove, p, viewport()->mapToGlobal(p), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(viewport(), &event);
    }
    void wheel(QPoint p, int delta, Qt::KeyboardModifiers modifiers = {}) {
        QWheelEvent event(p, viewport()->mapToGlobal(p), {}, {0, delta}, Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport(), &event);
    }

    testing::TempFolder folder;
    MemorySettingsStore settings;
    testing::ScriptedUi ui;
    CTormelApp app{settings, ui};
    std::unique_ptr<CTormelView> view;
};

} // namespace

class TestDumpView : public QObject {
    Q_OBJECT

private slots:
    // Whatever the font's own advances, a scroll repaints every text cell, and the horizontal
    // range of a work opened after another reaches the end of its longest remark beside the
    // vertical scroll bar.
    void scrollingRepaintsTheWholeTextColumnAndTheRangeReachesTheRemarks() {
        for (int size : {10, 11, 12, 14, 16}) {
            ViewFixture f(0x1000, {700, 400});
            f.settings.writeInt(section::Settings, "FontSize", size);
            HeaderBlock header;
            QVERIFY(header.setDumpPath(f.folder.path("dump.bin")));
            MarkerTable markers;
            markers.append(0, 1, 0xB0B0FF);
            QVERIFY(markers.setRemark(0, std::string(200, 'r')));
            const std::string mkg = f.folder.path("work.mkg");
            QVERIFY(writeMarkerFile(mkg, header, markers, false, f.ui));
            QVERIFY(f.app.workflow().closeWork());
            QCoreApplication::processEvents();
            QVERIFY(f.app.workflow().loadMarkerFile(mkg));
            QCoreApplication::processEvents();

            const CellMetrics& m = f.m();
            const PixelRect dumpPart =
                repaintRect(RepaintRegion::DumpPart, m, f.view->headerWidth(), 0,
                            f.viewport()->width(), f.viewport()->height());
            QVERIFY(dumpPart.right >= kTextOrigin + (kTextColumn + kMaxTextCells) * m.charWidth);
            QCOMPARE(f.view->horizontalRange(),
                     contentWidth(f.view->headerWidth(), m, f.markers()) - f.viewport()->width());
        }
    }

    void initTestCase() { installFontSubstitutions(); }

    void listingFontGivesTheCellsTheTestsCountWith() {
        ViewFixture f(0x1000);
        QCOMPARE(f.m().charWidth, 8);
        QCOMPARE(f.m().lineHeight, 16);
    }

    void scrollBarGoesLeftWhenTheSettingSaysSo() {
        ViewFixture f(0x1000, {500, 400});
        auto barX = [&] { return f.view->verticalScrollBar()->mapTo(f.view.get(), QPoint()).x(); };
        QVERIFY(barX() > f.viewport()->x());
        f.view->setScrollBarOnLeft(true);
        QVERIFY(barX() < f.viewport()->x());
        // Scrolling sideways still moves the content the usual way.
        f.view->horizontalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
        QCOMPARE(f.view->horizontalPosition(), f.view->horizontalRange());
    }

    void pressAndReleaseLaysOneMarkerInThePenColour() {
        ViewFixture f(0x1000);
        f.view->setPenColor(0xAAFFAA);
        f.press(f.at(0x20));
        f.release(f.at(0x2F));
        QCOMPARE(f.markers().count(), 1);
        QCOMPARE(f.markers()[0].start, 0x20);
        QCOMPARE(f.markers()[0].end, 0x2F);
        QCOMPARE(f.markers()[0].color, ColorRef{0xAAFFAA});
        QVERIFY(f.app.work().modified());
        QVERIFY(f.ui.shown().empty());
    }

    void dragLeftThenRightStretchesFromTheAnchor() {
        ViewFixture f(0x1000);
        f.view->setPenColor(kDefaultPenColor);
        f.press(f.at(0x30));
        f.move(f.at(0x28));
        QCOMPARE(f.markers()[0].start, 0x28);
        QCOMPARE(f.markers()[0].end, 0x30);
        f.move(f.at(0x34));
        f.release(f.at(0x34));
        QCOMPARE(f.markers().count(), 1);
        QCOMPARE(f.markers()[0].start, 0x30);
        QCOMPARE(f.markers()[0].end, 0x34);
    }

    void layingOverAMarkerIsRefusedAndLeavesTheTable() {
        ViewFixture f(0x1000);
        f.markers().append(0x40, 0x4F, 0x00FFFF);
        f.view->setPenColor(kDefaultPenColor);
        // Across the marker: refused at the release.
        f.press(f.at(0x38));
        f.release(f.at(0x52));
        QCOMPARE(f.ui.shownIds(), std::vector<int>{msg::MarkerOverlap});
        QCOMPARE(f.markers().count(), 1);
        QCOMPARE(f.markers()[0].start, 0x40);
        QCOMPARE(f.markers()[0].end, 0x4F);
        QVERIFY(!f.app.work().modified());
        // On the marker: refused at the press.
        f.press(f.at(0x44));
        f.release(f.at(0x44));
        QCOMPARE(f.ui.shownIds(), (std::vector<int>{msg::MarkerOverlap, msg::MarkerOverlap}));
        QCOMPARE(f.markers().count(), 1);
    }

    void releaseOffTheBytesKeepsTheLastRangeAndSortsIt() {
        ViewFixture f(0x1000);
        f.markers().append(0x100, 0x10F, 0x00FFFF);
        f.view->setPenColor(kDefaultPenColor);
        f.press(f.at(0x20));
        f.move(f.at(0x24));
        f.move(f.addressColumn());
        f.release(f.addressColumn());
        QCOMPARE(f.markers().count(), 2);
        QCOMPARE(f.markers()[0].start, 0x20);
        QCOMPARE(f.markers()[0].end, 0x24);
        QVERIFY(f.markers().isSorted());
        // A press off the bytes lays nothing, wherever it is released.
        f.press(f.addressColumn());
        f.release(f.at(0x60));
        QCOMPARE(f.markers().count(), 2);
    }

    void fullTableFallsBackToNormalMode() {
        ViewFixture f(0x20000);
        for (int i = 0; i < MarkerTable::kCapacity; ++i)
            f.markers().append(0x1000 + i * 4, 0x1000 + i * 4 + 1, 0x00FFFF);
        f.view->setPenColor(kDefaultPenColor);
        f.press(f.at(0x10));
        f.release(f.at(0x10));
        QCOMPARE(f.ui.shownIds(), std::vector<int>{msg::MarkerLimit});
        QCOMPARE(f.state().mode, InteractionMode::Normal);
        QCOMPARE(f.markers().count(), MarkerTable::kCapacity);
    }

    void modifyModeReLaysAndRestoresTheSavedRange() {
        ViewFixture f(0x1000);
        f.markers().append(0x40, 0x4F, 0x00FFFF);
        f.markers().append(0x60, 0x6F, 0x00FFFF);
        f.view->setInteractionMode(InteractionMode::Modify);
        // Released off the bytes: silently back.
        f.press(f.at(0x45));
        f.move(f.at(0x47));
        f.release(f.addressColumn());
        QCOMPARE(f.markers()[0].start, 0x40);
        QCOMPARE(f.markers()[0].end, 0x4F);
        QVERIFY(!f.app.work().modified());
        // Onto the next marker: refused and back.
        f.press(f.at(0x45));
        f.release(f.at(0x62));
        QCOMPARE(f.ui.shownIds(), std::vector<int>{msg::MarkerOverlap});
        QCOMPARE(f.markers()[0].start, 0x40);
        QCOMPARE(f.markers()[0].end, 0x4F);
        // Within the free bytes: re-laid from the pressed byte.
        f.press(f.at(0x45));
        f.move(f.at(0x47));
        f.release(f.at(0x47));
        QCOMPARE(f.markers()[0].start, 0x45);
        QCOMPARE(f.markers()[0].end, 0x47);
        QVERIFY(f.app.work().modified());
    }

    void valueCheckSelectsBytesAndAPressOffTheBytesEndsTheMode() {
        ViewFixture f(0x1000);
        QSignalSpy changed(f.view.get(), &CTormelView::valueCheckChanged);
        f.view->setInteractionMode(InteractionMode::ValueCheck);
        f.press(f.at(0x41));
        f.move(f.at(0x4B));
        QCOMPARE(f.state().valueCheck, (std::array<Offset, 6>{0x41, 0x42, 0x43, 0x44, 0x45, 0x46}));
        // Over the address column the last selection stays.
        f.move(f.addressColumn());
        QCOMPARE(f.state().valueCheck[5], 0x46);
        f.release(f.at(0x4B));
        QCOMPARE(f.state().valueCheck, (std::array<Offset, 6>{-1, -1, -1, -1, -1, -1}));
        QVERIFY(changed.count() >= 2);

        f.press(f.addressColumn());
        QCOMPARE(f.state().mode, InteractionMode::Normal);
        f.release(f.addressColumn());
    }

    void dragScrollingNeedsSixPixelsAndCountsWholeLines() {
        ViewFixture f(0x10000);
        f.view->ScrollToRow(10);
        const QPoint start = f.at(10 * 16 + 0x80);
        f.press(start);
        f.release(start - QPoint(0, 5));
        QCOMPARE(f.state().topRow, 10);
        // Pulling the sheet up 40 pixels shows rows further on.
        f.press(start);
        f.release(start - QPoint(0, 40));
        QCOMPARE(f.state().topRow, 12);
        f.press(start);
        f.release(start + QPoint(0, 40));
        QCOMPARE(f.state().topRow, 10);
    }

    void dragAndWheelOverTheRemarkColumnScrollIt() {
        ViewFixture f(0x10000);
        for (int i = 0; i < 10; ++i)
            f.markers().append(0x1000 * i, 0x1000 * i + 3, 0x00FFFF);
        const QPoint column(100 * f.m().charWidth, 4 * f.m().lineHeight);
        f.press(column);
        f.release(column - QPoint(0, 40));
        QCOMPARE(f.state().remarkStart, 2);
        QCOMPARE(f.state().topRow, 0);
        f.wheel(column, -120);
        QCOMPARE(f.state().remarkStart, 3);
        // With linked scrolling the list follows to the first listed marker.
        f.app.work().header().linkedScrolling = 1;
        f.wheel(column, -120);
        QCOMPARE(f.state().remarkStart, 4);
        QCOMPARE(f.state().topRow, 0x4000 / 16);
    }

    void wheelScrollsRowsOrPagesAndStopsAtTheEnds() {
        ViewFixture f(0x10000);
        const int visible = f.state().visibleRows;
        const QPoint list = f.at(0x20);
        f.wheel(list, 120);
        QCOMPARE(f.state().topRow, 0);
        f.wheel(list, -120);
        QCOMPARE(f.state().topRow, 1);
        f.wheel(list, -120, Qt::ControlModifier);
        QCOMPARE(f.state().topRow, 1 + visible);
    }

    void ctrlDownMovesListAndPointOneRowPastTheLastPage() {
        ViewFixture f(0x1000);
        const Offset last = f.app.work().dump().totalRows() - f.state().visibleRows;
        f.view->ScrollToRow(last);
        QCOMPARE(f.state().topRow, last);
        f.state().referencePoint = last * 16 + 2;
        QTest::keyClick(f.view.get(), Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(f.state().topRow, last + 1);
        QCOMPARE(f.state().referencePoint, (last + 1) * 16 + 2);
        QTest::keyClick(f.view.get(), Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(f.state().topRow, last + 1);
        QCOMPARE(f.state().referencePoint, (last + 1) * 16 + 2);
    }

    void arrowKeysStepTheReferencePoint() {
        ViewFixture f(0x1000);
        QSignalSpy moved(f.view.get(), &CTormelView::referencePointChanged);
        f.view->ScrollToRow(5);
        f.state().referencePoint = 5 * 16;
        QTest::keyClick(f.view.get(), Qt::Key_Left);
        // Into the row above, which is not shown: the list stays.
        QCOMPARE(f.state().referencePoint, 5 * 16 - 1);
        QCOMPARE(f.state().topRow, 5);
        QTest::keyClick(f.view.get(), Qt::Key_Up);
        QCOMPARE(f.state().referencePoint, 4 * 16 - 1);
        QCOMPARE(f.state().topRow, 4);
        const int visible = f.state().visibleRows;
        f.state().referencePoint = (4 + visible - 1) * 16 + 3;
        QTest::keyClick(f.view.get(), Qt::Key_Down);
        QCOMPARE(f.state().topRow, 5);
        QCOMPARE(moved.count(), 3);
    }

    void popupShowsTheMarkerAndSitsInsideTheView() {
        ViewFixture f(0x1000);
        f.markers().append(0x10, 0x1F, 0xFFB0B0);
        QVERIFY(f.markers().setRemark(0, *utf8ToCp932("ヘッダ")));
        f.press(f.at(0x12));
        QVERIFY(f.view->popupShown());
        f.release(f.at(0x12));
        QVERIFY(!f.view->popupShown());

        f.view->ShowPopup(0xFFFFFF, "No 1_ヘッダ", 0, 0);
        QCOMPARE(f.view->popupRect().topLeft(), QPoint(7, 16));
        const int w = f.viewport()->width();
        const int h = f.viewport()->height();
        f.view->ShowPopup(0xFFFFFF, "No 1_ヘッダ", w - 2, h - 2);
        // The text ends at the client edge; the border lies 3 pixels outside.
        QCOMPARE(f.view->popupRect().right() + 1, w + 3);
        QCOMPARE(f.view->popupRect().bottom() + 1, h + 3);
        f.view->HidePopup();
        QVERIFY(!f.view->popupShown());
    }

    void hitTestsAreExactToThePixelWhenScrolledSideways() {
        ViewFixture f(0x1000, {500, 400});
        QVERIFY(f.view->horizontalRange() > 0);
        for (int i = 0; i < 5; ++i)
            f.view->horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(f.view->horizontalPosition(), 5);
        f.view->ScrollToRow(3);
        const int left = 9 * 8 - 5;
        const int top = 2 * 16;
        QCOMPARE(f.view->OffsetAtPoint({left, top}), 3 * 16);
        QCOMPARE(f.view->OffsetAtPoint({left - 1, top}), -1);
        QCOMPARE(f.view->OffsetAtPoint({left, top - 1}), -1);
        QCOMPARE(f.view->OffsetAtPoint({left + 24, top}), 3 * 16 + 1);
        QCOMPARE(f.view->OffsetAtPoint({left + 23, top}), 3 * 16);
    }

    void rightReleaseNamesTheMenuForThePlace() {
        ViewFixture f(0x1000);
        f.markers().append(0x10, 0x1F, 0x00FFFF);
        QSignalSpy menus(f.view.get(), &CTormelView::contextMenuRequested);
        auto rightClick = [&](QPoint p) {
            QTest::mousePress(f.viewport(), Qt::RightButton, {}, p);
            QTest::mouseRelease(f.viewport(), Qt::RightButton, {}, p);
        };
        rightClick(f.at(0x12));
        rightClick(f.at(0x42));
        rightClick({78 * 8, 2 * 16 + 4});
        rightClick(f.addressColumn());
        QCOMPARE(menus.count(), 3);
        QCOMPARE(menus[0][0].toString(), QString("VIEW_MARKER"));
        QCOMPARE(menus[0][1].toInt(), 0);
        QCOMPARE(menus[1][0].toString(), QString("VIEW"));
        QCOMPARE(menus[1][1].toInt(), -1);
        QCOMPARE(menus[2][0].toString(), QString("MARKER_NO"));
        QCOMPARE(f.view->clickedMarker(), 0);
    }

    void doubleClicksAndHoverHints() {
        ViewFixture f(0x1000);
        for (int i = 0; i < 4; ++i)
            f.markers().append(0x10 * i, 0x10 * i + 3, 0x00FFFF);
        QSignalSpy hints(f.view.get(), &CTormelView::hintChanged);
        QSignalSpy properties(f.view.get(), &CTormelView::markerPropertiesRequested);
        QSignalSpy bulk(f.view.get(), &CTormelView::bulkEditorRequested);
        f.move(f.at(0x01));
        f.move(f.at(0x11));
        f.move(f.at(0x31));
        f.move(f.at(0x05));
        QCOMPARE(hints.count(), 4);
        QCOMPARE(hints[0][0].toString(),
                 QString("マーカをクリックすると説明をポップアップ表示します"));
        QVERIFY(hints[1][0].toString().isEmpty());
        QCOMPARE(hints[2][0].toString(), hints[0][0].toString());
        QVERIFY(hints[3][0].toString().isEmpty());

        QTest::mouseDClick(f.viewport(), Qt::LeftButton, {}, f.at(0x25));
        QCOMPARE(f.state().referencePoint, 0x25);
        QTest::mouseDClick(f.viewport(), Qt::LeftButton, {}, {78 * 8, 3 * 16 + 4});
        QCOMPARE(properties.count(), 1);
        QCOMPARE(properties[0][0].toInt(), 1);
        QTest::mouseDClick(f.viewport(), Qt::LeftButton, {}, {90 * 8, 3 * 16 + 4});
        QCOMPARE(bulk.count(), 1);
    }

    void scaledThumbReachesTheLastPage() {
        ViewFixture f(0x100000);
        QVERIFY(f.view->scaledScrolling());
        QScrollBar* bar = f.view->verticalScrollBar();
        QCOMPARE(bar->maximum(), 32767);
        bar->setSliderPosition(32767);
        QCOMPARE(f.state().topRow, f.view->scaledRange());
        bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
        QCOMPARE(f.state().topRow, f.view->scaledRange() - 1);
        QCOMPARE(bar->value(), thumbForTopRow(f.state().topRow, true, f.view->scaledRange()));
    }

    void paintedCellsShowMarkerColoursAndTheInvertedReferencePoint() {
        ViewFixture f(0x1000);
        f.markers().append(0x20, 0x2F, 0xB0B0FF);
        f.state().referencePoint = 0x22;
        f.app.work().searchHit() = {0x40, 2};
        f.view->repaint();
        const QImage image = f.viewport()->grab().toImage();
        auto pixel = [&](Offset b) {
            const PixelRect r = f.view->ByteCellRect(b);
            return image.pixelColor(r.left + 1, r.top + 1);
        };
        QCOMPARE(pixel(0x21), QColor(0xFF, 0xB0, 0xB0));
        QCOMPARE(pixel(0x22), QColor(0x00, 0x4F, 0x4F));
        QCOMPARE(pixel(0x31), QColor(Qt::white));
        // The search hit is framed in blue, its inside left as it was.
        const PixelRect hit = f.view->ByteCellRect(0x40);
        QCOMPARE(image.pixelColor(hit.left, hit.top + 4), QColor(Qt::blue));
        QCOMPARE(image.pixelColor(hit.left + 1, hit.top + 1), QColor(Qt::white));
        // The text column of a marked row is not coloured.
        QCOMPARE(image.pixelColor(3 + 57 * 8 + 1, 4 * 16 + 4), QColor(Qt::white));
    }

    // Bytes Shift-JIS gives no character still mark their cells, but quietly: a small grey dot
    // in each, where a pair without a character keeps its black "〓".
    void bytesWithoutACharacterShowAsQuietDots() {
        ViewFixture f(0x1000);
        const QImage image = f.viewport()->grab().toImage();
        // Lightest and darkest grey level within the text cell of a data row and column.
        auto levels = [&](Offset row, int cell) {
            int lightest = 0;
            int darkest = 255;
            const int left = kTextOrigin + (kTextColumn + cell) * f.m().charWidth;
            const int top = kTextOrigin + int(row + 2) * f.m().lineHeight;
            for (int y = top; y < top + f.m().lineHeight; ++y)
                for (int x = left; x < left + f.m().charWidth; ++x) {
                    const int level = qGray(image.pixel(x, y));
                    darkest = std::min(darkest, level);
                    lightest = std::max(lightest, level == 255 ? 0 : level);
                }
            return std::pair{darkest, lightest};
        };
        // Row 0xF holds the bytes 0xF0 to 0xFF, none of which is a character on its own.
        for (int cell = 0; cell < 16; ++cell) {
            const auto [darkest, lightest] = levels(0xF, cell);
            QVERIFY2(darkest < 255, qPrintable(QString("cell %1 is empty").arg(cell)));
            QVERIFY2(darkest >= 0x90, qPrintable(QString("cell %1 is dark").arg(cell)));
        }
        // 0x85 0x86 (cells 5 and 6 of row 8) is a pair without a character.
        QVERIFY(levels(0x8, 5).first < 0x40);
        // Ordinary characters stay black.
        QVERIFY(levels(0x4, 1).first < 0x40);
    }

    void remarkColumnListsEntriesInTheirMarkersColoursWithHints() {
        ViewFixture f(0x1000);
        f.showRows(30);
        QCOMPARE(f.state().visibleRows, 30);
        const ColorRef colours[3] = {0xB0B0FF, 0xAAFFAA, 0xFFB0B0};
        for (int i = 0; i < 3; ++i) {
            f.markers().append(0x40 * i, 0x40 * i + 3, colours[i]);
            QVERIFY(f.markers().setRemark(i, "remark"));
        }
        f.view->repaint();
        const QImage image = f.picture();
        const int lineTop = kTextOrigin + 2 * 16;
        const int cellLeft = kTextOrigin + kNumberCellColumn * 8;
        for (int k = 0; k < 3; ++k)
            QCOMPARE(image.pixelColor(cellLeft + 1, lineTop + k * 16 + 1), toQColor(colours[k]));
        QCOMPARE(image.pixelColor(cellLeft + 1, lineTop + 3 * 16 + 1), QColor(Qt::white));
        // The remark text stands from its own column on, on the listed lines only.
        auto inked = [&](int k) {
            for (int y = lineTop + k * 16; y < lineTop + (k + 1) * 16; ++y)
                for (int x = kTextOrigin + kRemarkTextColumn * 8; x < cellLeft + 14 * 8; ++x)
                    if (image.pixelColor(x, y) != QColor(Qt::white))
                        return true;
            return false;
        };
        QVERIFY(inked(0));
        QVERIFY(inked(2));
        QVERIFY(!inked(3));

        QSignalSpy hints(f.view.get(), &CTormelView::hintChanged);
        f.hover(f.numberCell(1));
        f.hover({90 * 8, f.lineMiddle(1)});
        f.hover(f.numberCell(5));
        QCOMPARE(hints.count(), 3);
        QCOMPARE(hints[0][0].toString(), QString("マーカをＷクリックするとプロパティを表示します"));
        QCOMPARE(hints[1][0].toString(),
                 QString("説明領域をＷクリックすると一括編集ウィンドウを表示します"));
        // A number cell without an entry is no number cell.
        QVERIFY(hints[2][0].toString().isEmpty());
    }

    void linkedScrollingKeepsTheListAndTheColumnTogether() {
        ViewFixture f(0x10000);
        f.showRows(30);
        QCOMPARE(f.state().visibleRows, 30);
        f.markers().append(0x100, 0x10F, 0x00FFFF);
        f.markers().append(0x900, 0x90F, 0x00FFFF);
        f.markers().append(0xFFF0, 0xFFF3, 0x00FFFF);
        f.app.work().header().linkedScrolling = 1;
        f.state().remarkStart = 2;
        f.view->ScrollToRow(0);
        QCOMPARE(f.state().remarkStart, 0);
        f.view->ScrollToRow(0x80);
        QCOMPARE(f.state().remarkStart, 1);
        // No marker starts on this page: the column stays.
        f.view->ScrollToRow(0x200);
        QCOMPARE(f.state().remarkStart, 1);

        // The wheel over the column brings the list to the new first entry's row, at most to
        // the last page.
        const QPoint column(100 * 8, f.lineMiddle(1));
        f.state().remarkStart = 0;
        f.wheel(column, -120);
        QCOMPARE(f.state().remarkStart, 1);
        QCOMPARE(f.state().topRow, 0x90);
        f.wheel(column, -120);
        QCOMPARE(f.state().remarkStart, 2);
        QCOMPARE(f.state().topRow, f.app.work().dump().totalRows() - 30);
    }

    void linkLinesEndAtTheRightOfTheMarkersFirstCells() {
        MarkerTable markers;
        // Three bytes before the top row's first byte, then one on the page.
        markers.append(0x0D, 0x0D, 0xB0B0FF);
        markers.append(0x25, 0x26, 0x31FF00);
        const LinkLinePage page{.topRow = 1,
                                .visibleRows = 30,
                                .totalRows = 0x100,
                                .remarkStart = 0,
                                .metrics = {8, 16, 3}};
        QImage image(1000, 600, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        paintLinkLines(painter, linkLinesOnPage(markers, page));
        painter.end();
        // From just left of the number cells, in the middle of lines 0 and 1...
        QCOMPARE(image.pixelColor(76 * 8, 2 * 16 + 8), QColor(0xCD, 0x7E, 0x7E));
        QCOMPARE(image.pixelColor(76 * 8, 3 * 16 + 8), QColor(0x00, 0xCD, 0x00));
        // ...to byte column 13 above the list and to byte column 5 of data line 1.
        QCOMPARE(image.pixelColor((3 * 13 + 11) * 8, 1 * 16 + 8), QColor(0xCD, 0x7E, 0x7E));
        QCOMPARE(image.pixelColor((3 * 5 + 11) * 8, 3 * 16 + 8), QColor(0x00, 0xCD, 0x00));
        QCOMPARE(image.pixelColor((3 * 13 + 11) * 8 - 2, 1 * 16 + 8), QColor(Qt::white));
    }

    void linkLinesFollowSidewaysScrolling() {
        ViewFixture f(0x1000, {800, 400});
        QVERIFY(f.view->horizontalRange() >= 5);
        f.markers().append(0x25, 0x25, 0xB0B0FF);
        f.view->ScrollToRow(1);
        const QColor lineColour(0xCD, 0x7E, 0x7E);
        const QPoint start(76 * 8, f.lineMiddle(0));
        // In the blank columns before the remark column, still on the entry's line.
        const QPoint blank(kTextOrigin + 74 * 8 + 4, f.lineMiddle(0));
        QCOMPARE(f.picture().pixelColor(start), QColor(Qt::white));
        f.app.work().header().linkLines = 1;
        f.view->repaint();
        for (int h : {0, 5}) {
            while (f.view->horizontalPosition() < h)
                f.view->horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
            const QImage image = f.picture();
            const QPoint shift(h, 0);
            QCOMPARE(image.pixelColor(start - shift), lineColour);
            QCOMPARE(image.pixelColor(blank - shift), lineColour);
        }
    }

    void pressOnANumberCellShowsItsLineUntilTheRelease() {
        ViewFixture f(0x1000);
        f.markers().append(0x25, 0x25, 0xB0B0FF);
        const QPoint start(76 * 8, f.lineMiddle(0));
        f.press(f.numberCell(0));
        QCOMPARE(f.view->temporaryLinkLine(), 0);
        QCOMPARE(f.picture().pixelColor(start), QColor(0xCD, 0x7E, 0x7E));
        f.release(f.numberCell(0));
        QCOMPARE(f.view->temporaryLinkLine(), -1);
        QCOMPARE(f.picture().pixelColor(start), QColor(Qt::white));
        // Released outside the view, the line goes as well.
        f.press(f.numberCell(0));
        f.release({-10, -10});
        QCOMPARE(f.view->temporaryLinkLine(), -1);
        // With link lines on, every entry has its line already.
        f.app.work().header().linkLines = 1;
        f.press(f.numberCell(0));
        QCOMPARE(f.view->temporaryLinkLine(), -1);
        f.release(f.numberCell(0));
        QCOMPARE(f.picture().pixelColor(start), QColor(0xCD, 0x7E, 0x7E));
    }

    void valueCheckShowsBothByteOrdersUntilTheRelease() {
        std::vector<std::uint8_t> data(0x100, 0);
        data[0x41] = 0x41;
        data[0x50] = 0x12;
        data[0x51] = 0x34;
        ViewFixture f(data);
        QSignalSpy values(&f.app, &CTormelApp::valuesShown);
        f.view->setInteractionMode(InteractionMode::ValueCheck);
        // Numbers come with a move only.
        f.press(f.at(0x41));
        QVERIFY(!f.view->popupShown());
        f.release(f.at(0x41));
        QCOMPARE(values.count(), 0);

        const QString twoBytes("BigEndian      4,660\nLittleEndian  13,330");
        auto cell = [&](Offset b) {
            const PixelRect r = f.view->ByteCellRect(b);
            return f.picture().pixelColor(r.left + 1, r.top + 1);
        };
        f.press(f.at(0x50));
        f.move(f.at(0x51));
        QCOMPARE(f.view->popupText(), twoBytes);
        QCOMPARE(values.count(), 1);
        QCOMPARE(values[0][0].toString(), QString("4,660"));
        QCOMPARE(values[0][1].toString(), QString("13,330"));
        QCOMPARE(cell(0x50), QColor(Qt::black));
        QCOMPARE(cell(0x51), QColor(Qt::black));
        // Off the bytes the numbers and the popup stay.
        f.move(f.addressColumn());
        QCOMPARE(f.view->popupText(), twoBytes);
        QCOMPARE(values.count(), 1);
        f.release(f.addressColumn());
        QVERIFY(!f.view->popupShown());
        QCOMPARE(cell(0x50), QColor(Qt::white));
    }

    void snapshotShowsLinkLinesWhenTheMarkerFileSaysSo() {
        testing::TempFolder folder;
        testing::ScriptedUi ui;
        const std::string dump = folder.write("dump.bin", countingBytes(0x400));
        const QColor lineColour(0xCD, 0x7E, 0x7E);
        for (int linkLines : {1, 0}) {
            HeaderBlock header;
            QVERIFY(header.setDumpPath(dump));
            header.linkLines = linkLines;
            MarkerTable markers;
            markers.append(0x125, 0x12F, 0xB0B0FF);
            const std::string mkg = folder.path("work.mkg");
            QVERIFY(writeMarkerFile(mkg, header, markers, false, ui));
            const std::string png = folder.path("view.png");
            QCOMPARE(runSnapshot({png, {1000, 500}, 0, mkg}), 0);
            const QImage image(QString::fromStdString(png));
            bool lined = false;
            for (int y = 0; y < image.height() && !lined; ++y)
                for (int x = 0; x < image.width() && !lined; ++x)
                    lined = image.pixelColor(x, y) == lineColour;
            QCOMPARE(lined, linkLines == 1);
        }
    }
};

QTEST_MAIN(TestDumpView)
#include "tst_dumpview.moc"

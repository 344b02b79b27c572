#include "view/dumppainter.h"

#include "app/colors.h"
#include "core/dumplist/dumplist.h"
#include "core/dumpfile/dumpgeometry.h"
#include "core/text/sjis.h"
#include "view/linklinepainter.h"

#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QHash>
#include <QPainter>
#include <QRawFont>

#include <algorithm>
#include <memory>
#include <vector>

namespace byzel {
namespace {

// Drawn for a pair that Shift-JIS gives no character, so that it still fills its cells.
const QString kPairReplacement = QStringLiteral("\u3013");
// A single byte without a character gets a small grey dot instead of a glyph: binary data is
// full of them, and a black sign in every such cell would make every row look broken.
const QString kNoCharacter;
const QColor kNoCharacterColor(0xA0, 0xA0, 0xA0);

QString decodeCells(std::string_view bytes, const QString& replacement) {
    const std::string utf8 = cp932ToUtf8(bytes);
    const QString text = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
    if (text.size() != 1 || text.contains(QChar::ReplacementCharacter))
        return replacement;
    switch (text.at(0).category()) {
    case QChar::Other_Control:
    case QChar::Other_PrivateUse:
    case QChar::Other_NotAssigned:
    case QChar::Other_Surrogate:
        return replacement;
    default:
        return text;
    }
}

// Glyphs of the listing font for every cell content, looked up once per font: painting then
// places the cells of a whole page with one glyph run. A character the font lacks is drawn as
// text, so that Qt's font fallback finds it, at the same cell position.
class CellGlyphs {
public:
    struct Glyph {
        quint32 index = 0;
        QString text;
    };

    explicit CellGlyphs(const QFont& font) : m_key(font.key()), m_raw(QRawFont::fromFont(font)) {
        for (int b = 0; b < 256; ++b) {
            const char c = static_cast<char>(b);
            m_single[static_cast<size_t>(b)] =
                make(b < 0x80 ? QString(QChar(b)) : decodeCells({&c, 1}, kNoCharacter));
        }
    }

    [[nodiscard]] const QString& key() const { return m_key; }
    [[nodiscard]] const QRawFont& rawFont() const { return m_raw; }
    [[nodiscard]] const Glyph& single(unsigned char b) const { return m_single[b]; }
    const Glyph& pair(unsigned char lead, unsigned char trail) {
        const auto code = static_cast<quint16>(lead << 8 | trail);
        auto it = m_pairs.constFind(code);
        if (it == m_pairs.constEnd()) {
            const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            it = m_pairs.insert(code, make(decodeCells({bytes, 2}, kPairReplacement)));
        }
        return *it;
    }

private:
    Glyph make(const QString& text) const {
        Glyph g{0, text};
        if (m_raw.isValid()) {
            const QList<quint32> indexes = m_raw.glyphIndexesForString(text);
            if (indexes.size() == 1)
                g.index = indexes.front();
        }
        return g;
    }

    QString m_key;
    QRawFont m_raw;
    std::array<Glyph, 256> m_single;
    QHash<quint16, Glyph> m_pairs;
};

CellGlyphs& glyphsFor(const QFont& font) {
    // The listing font changes only with the settings; keep the glyphs of the last one.
    static std::unique_ptr<CellGlyphs> cache;
    if (!cache || cache->key() != font.key())
        cache = std::make_unique<CellGlyphs>(font);
    return *cache;
}

// Draws the composed lines: every character at origin + column x character width, whatever
// the font's own advances, so the columns line up.
class PainterTarget : public DumpListTarget {
public:
    PainterTarget(QPainter& painter, const QFont& font, const CellMetrics& m)
        : m_painter(painter), m_font(font), m_glyphs(glyphsFor(font)), m_m(m),
          m_ascent(QFontMetrics(font).ascent()), m_xHeight(QFontMetrics(font).xHeight()) {}

    void headerLines(std::string_view header, std::string_view rule) override {
        placeAscii(header, 0, 0);
        placeAscii(rule, 1, 0);
    }

    bool row(const DumpRow& row) override {
        const int line = row.lineIndex + 2;
        placeAscii(row.line.substr(0, kTextColumn), line, 0);
        placeTextColumn(row, line);
        if (row.hasRemarkEntry())
            placeRemarkEntry(row, line);
        return true;
    }

    // Draws everything placed, the cells in one run.
    void finish() {
        if (!m_indexes.isEmpty() && m_glyphs.rawFont().isValid()) {
            QGlyphRun run;
            run.setRawFont(m_glyphs.rawFont());
            run.setGlyphIndexes(m_indexes);
            run.setPositions(m_positions);
            m_painter.drawGlyphRun(QPointF(0, 0), run);
        }
        m_painter.setFont(m_font);
        for (const auto& [at, text] : m_texts)
            m_painter.drawText(at, text);
        drawNoCharacterDots();
    }

private:
    [[nodiscard]] QPointF cellOrigin(int line, int column) const {
        return QPointF(kTextOrigin + column * m_m.charWidth,
                       kTextOrigin + line * m_m.lineHeight + m_ascent);
    }

    void drawNoCharacterDots() {
        if (m_dots.isEmpty())
            return;
        m_painter.save();
        m_painter.setRenderHint(QPainter::Antialiasing);
        m_painter.setPen(Qt::NoPen);
        m_painter.setBrush(kNoCharacterColor);
        // At half the x-height, where a middle dot sits, centred in its cell.
        const QPointF toCentre(m_m.charWidth / 2.0, -m_xHeight / 2.0);
        const qreal radius = std::max(1.0, m_m.charWidth / 6.0);
        for (const QPointF& at : m_dots)
            m_painter.drawEllipse(at + toCentre, radius, radius);
        m_painter.restore();
    }

    void place(const CellGlyphs::Glyph& g, int line, int column) {
        if (g.text.isEmpty()) {
            m_dots.append(cellOrigin(line, column));
        } else if (g.index != 0) {
            m_indexes.append(g.index);
            m_positions.append(cellOrigin(line, column));
        } else {
            m_texts.emplace_back(cellOrigin(line, column), g.text);
        }
    }

    void placeAscii(std::string_view text, int line, int firstColumn) {
        for (size_t i = 0; i < text.size(); ++i)
            if (text[i] != ' ')
                place(m_glyphs.single(static_cast<unsigned char>(text[i])), line,
                      firstColumn + static_cast<int>(i));
    }

    void placeTextColumn(const DumpRow& row, int line) {
        const auto bytes = row.line.substr(kTextColumn);
        for (int i = 0; i < kMaxTextCells; ++i) {
            const auto b = static_cast<unsigned char>(bytes[static_cast<size_t>(i)]);
            switch (row.cells[static_cast<size_t>(i)]) {
            case TextCell::Blank:
            case TextCell::PairSecond:
                break;
            case TextCell::Byte:
                place(m_glyphs.single(b), line, kTextColumn + i);
                break;
            case TextCell::PairFirst:
                // A lead byte with nothing after it in the data stands alone.
                if (i + 1 < kMaxTextCells &&
                    row.cells[static_cast<size_t>(i + 1)] == TextCell::PairSecond)
                    place(m_glyphs.pair(
                              b, static_cast<unsigned char>(bytes[static_cast<size_t>(i + 1)])),
                          line, kTextColumn + i);
                else
                    place({0, kNoCharacter}, line, kTextColumn + i);
                break;
            }
        }
    }

    void placeRemarkEntry(const DumpRow& row, int line) {
        const int top = kTextOrigin + line * m_m.lineHeight;
        m_painter.fillRect(kTextOrigin + kNumberCellColumn * m_m.charWidth, top,
                           kNumberCellWidth * m_m.charWidth, m_m.lineHeight,
                           toQColor(row.markerColor));
        // "%5d %s": the number in the cell, the remark from its own column on.
        placeAscii(row.remarkEntry.substr(0, kNumberCellWidth), line, kNumberCellColumn);
        const auto remark =
            row.remarkEntry.substr(std::min<size_t>(row.remarkEntry.size(), kNumberCellWidth + 1));
        if (!remark.empty()) {
            const std::string utf8 = cp932ToUtf8(remark);
            m_texts.emplace_back(cellOrigin(line, kRemarkTextColumn),
                                 QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
        }
    }

    QPainter& m_painter;
    const QFont& m_font;
    CellGlyphs& m_glyphs;
    CellMetrics m_m;
    int m_ascent;
    int m_xHeight;
    QList<QPointF> m_dots;
    QList<quint32> m_indexes;
    QList<QPointF> m_positions;
    std::vector<std::pair<QPointF, QString>> m_texts;
};

QRect toQRect(const PixelRect& r) {
    return QRect(r.left, r.top, r.width(), r.height());
}

// First and last byte whose cells can be on the page: rows topRow .. topRow + visibleRows.
struct PageBytes {
    std::int64_t first;
    std::int64_t last;
};
PageBytes pageBytes(const RenderInput& in) {
    const std::int64_t first = static_cast<std::int64_t>(in.topRow) * kBytesPerRow;
    return {first, first + (static_cast<std::int64_t>(in.visibleRows) + 1) * kBytesPerRow - 1};
}

// Fills the cells of bytes from..to of one colour, one rectangle per row: adjacent cells abut,
// so the picture is that of filling every cell.
void fillCells(QPainter& p, const RenderInput& in, std::int64_t from, std::int64_t to,
               const QColor& color) {
    const PageBytes page = pageBytes(in);
    from = std::max(from, page.first);
    to = std::min(to, page.last);
    while (from <= to) {
        const std::int64_t rowEnd = std::min(to, (from / kBytesPerRow + 1) * kBytesPerRow - 1);
        const PixelRect a =
            ByteCellRect(static_cast<Offset>(from), in.metrics, in.topRow, in.visibleRows);
        const PixelRect b =
            ByteCellRect(static_cast<Offset>(rowEnd), in.metrics, in.topRow, in.visibleRows);
        if (!a.isEmpty())
            p.fillRect(QRect(a.left, a.top, b.right - a.left, a.height()), color);
        from = rowEnd + 1;
    }
}

void paintMarkerBackgrounds(QPainter& p, const RenderInput& in) {
    const PageBytes page = pageBytes(in);
    // Sorted markers that share no byte are ordered by their ends too: start at the first one
    // reaching the page and stop at the first one starting after it.
    int i = in.markersSorted ? in.markers.firstEndingAtOrAfter(static_cast<Offset>(
                                   std::min<std::int64_t>(page.first, INT32_MAX)))
                             : 0;
    for (; i < in.markers.count(); ++i) {
        const MarkerRecord& r = in.markers[i];
        if (r.start > page.last) {
            if (in.markersSorted)
                break;
            continue;
        }
        fillCells(p, in, std::min(r.start, r.end), std::max(r.start, r.end), toQColor(r.color));
    }
}

void frameSearchHit(QPainter& p, const RenderInput& in) {
    if (!in.searchHit.exists())
        return;
    const PageBytes page = pageBytes(in);
    const std::int64_t first = std::max<std::int64_t>(in.searchHit.start, page.first);
    const std::int64_t last = std::min<std::int64_t>(
        static_cast<std::int64_t>(in.searchHit.start) + in.searchHit.length - 1, page.last);
    p.save();
    p.setPen(QPen(toQColor(0xFF0000), 1));
    p.setBrush(Qt::NoBrush);
    for (std::int64_t b = first; b <= last; ++b) {
        const PixelRect r =
            ByteCellRect(static_cast<Offset>(b), in.metrics, in.topRow, in.visibleRows);
        if (!r.isEmpty())
            p.drawRect(r.left, r.top, r.width() - 1, r.height() - 1);
    }
    p.restore();
}

void drawLinkLines(QPainter& p, const RenderInput& in) {
    if (!in.linkLines || in.dumpOnly)
        return;
    const LinkLinePage page{.topRow = in.topRow,
                            .visibleRows = in.visibleRows,
                            .totalRows = totalRowsFor(in.source.size()),
                            .remarkStart = in.remarkStart,
                            .metrics = in.metrics};
    paintLinkLines(p, linkLinesOnPage(in.markers, page));
}

void drawListing(QPainter& p, const QFont& font, const RenderInput& in) {
    p.save();
    p.setPen(Qt::black);
    PainterTarget target(p, font, in.metrics);
    OutputDumpList(in.source, in.markers, in.topRow, in.remarkStart, in.visibleRows, target,
                   in.dumpOnly);
    target.finish();
    p.restore();
}

void invertCell(QPainter& p, const RenderInput& in, Offset b) {
    const PixelRect r = ByteCellRect(b, in.metrics, in.topRow, in.visibleRows);
    if (r.isEmpty())
        return;
    p.save();
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.fillRect(toQRect(r), Qt::white);
    p.restore();
}

void invertReferencePoint(QPainter& p, const RenderInput& in) {
    if (in.referencePointShown)
        invertCell(p, in, in.referencePoint);
}

void invertValueCheck(QPainter& p, const RenderInput& in) {
    for (Offset b : in.valueCheck)
        if (b != -1)
            invertCell(p, in, b);
}

} // namespace

CellMetrics listingMetrics(const QFont& font) {
    const QFontMetrics fm(font);
    return {std::max(1, fm.averageCharWidth()), std::max(1, fm.height()), fm.descent()};
}

void RenderDumpList(QPainter& painter, const QFont& font, const RenderInput& in) {
    if (in.visibleRows < 0)
        return;
    painter.setFont(font);
    // In painting order: each layer draws over the ones before it.
    paintMarkerBackgrounds(painter, in);
    frameSearchHit(painter, in);
    drawLinkLines(painter, in);
    drawListing(painter, font, in);
    invertReferencePoint(painter, in);
    invertValueCheck(painter, in);
}

} // namespace byzel

// Lays the user manual out as a PDF file: the Markdown text with its pictures, A4 pages, a new
// page for every chapter, page numbers at the foot.
//
//   makemanual SOURCE.md OUT.pdf [NAME=PICTURE.png ...]
//
// A picture is shown where the text names it as ![caption](NAME).

#include <QColor>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QTextTable>
#include <QUrl>

#include <cstdio>

namespace {

// Widest a picture may be, in the document's units (pixels at 96 dpi): the text width of an
// A4 page between the margins the layout gives it.
constexpr double kMaxPictureWidth = 620;

bool addPictures(QTextDocument& doc, const QStringList& pictures) {
    for (const QString& spec : pictures) {
        const qsizetype eq = spec.indexOf('=');
        if (eq <= 0) {
            std::fprintf(stderr, "makemanual: picture not given as NAME=FILE: %s\n",
                         qPrintable(spec));
            return false;
        }
        const QImage image(spec.mid(eq + 1));
        if (image.isNull()) {
            std::fprintf(stderr, "makemanual: cannot read %s\n", qPrintable(spec.mid(eq + 1)));
            return false;
        }
        doc.addResource(QTextDocument::ImageResource, QUrl(spec.left(eq)), image);
    }
    return true;
}

// Shrinks pictures wider than the page to its width, keeping their shape; their pixels stay
// in the file, so they print sharp.
void fitPictures(QTextDocument& doc) {
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat())
                continue;
            QTextImageFormat format = fragment.charFormat().toImageFormat();
            const QImage image =
                doc.resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>();
            if (image.isNull() || image.width() <= kMaxPictureWidth)
                continue;
            format.setWidth(kMaxPictureWidth);
            format.setHeight(kMaxPictureWidth * image.height() / image.width());
            QTextCursor cursor(&doc);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);
        }
    }
}

// Tables get room inside their cells, thin rules and a shaded heading row.
void styleTables(QTextDocument& doc) {
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        QTextTable* table = QTextCursor(block).currentTable();
        if (!table || table->cellAt(block.position()).row() != 0 ||
            table->cellAt(block.position()).column() != 0)
            continue;
        QTextTableFormat format = table->format();
        format.setCellPadding(4);
        format.setCellSpacing(0);
        format.setBorder(1);
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setBorderBrush(QColor(0x80, 0x80, 0x80));
        format.setBorderCollapse(true);
        format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        table->setFormat(format);
        for (int column = 0; column < table->columns(); ++column) {
            QTextTableCell cell = table->cellAt(0, column);
            QTextCharFormat heading = cell.format();
            heading.setBackground(QColor(0xE4, 0xE8, 0xF0));
            cell.setFormat(heading);
        }
    }
}

// Every chapter but the first starts on a new page.
void breakBeforeChapters(QTextDocument& doc) {
    bool first = true;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() != 1)
            continue;
        if (!first) {
            QTextBlockFormat format = block.blockFormat();
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(block).setBlockFormat(format);
        }
        first = false;
    }
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: makemanual SOURCE.md OUT.pdf [NAME=PICTURE.png ...]\n");
        return 2;
    }
    QFile source(args.at(0));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "makemanual: cannot read %s\n", qPrintable(args.at(0)));
        return 1;
    }

    QTextDocument doc;
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPointSizeF(10.5);
    doc.setDefaultFont(font);
    if (!addPictures(doc, args.mid(2)))
        return 1;
    doc.setMarkdown(QString::fromUtf8(source.readAll()));
    fitPictures(doc);
    styleTables(doc);
    breakBeforeChapters(doc);

    QPdfWriter writer(args.at(1));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(300);
    writer.setTitle(QStringLiteral("バイゼル 取扱説明書"));
    writer.setCreator(QStringLiteral("Byzel"));
    doc.print(&writer);
    if (QFile(args.at(1)).size() == 0) {
        std::fprintf(stderr, "makemanual: cannot write %s\n", qPrintable(args.at(1)));
        return 1;
    }
    return 0;
}

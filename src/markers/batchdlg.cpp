#include "markers/batchdlg.h"

#include "core/markers/bulkremarks.h"
#include "core/markers/remarktext.h"
#include "markers/fixedfont.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>
#include <QVBoxLayout>

namespace byzel {
namespace {

// The lines of the editor that a marker's line takes: more than one when its remark holds line
// breaks, split as the editor splits them.
QStringList shownLinesOf(const QString& line) {
    if (!line.contains(QLatin1Char('\n')) && !line.contains(QLatin1Char('\r')))
        return {line};
    QTextDocument document;
    document.setPlainText(line);
    return document.toPlainText().split(QLatin1Char('\n'));
}

} // namespace

CBatchDlg::CBatchDlg(const MarkerEditing& editing, QWidget* parent)
    : QDialog(parent), m_editing(editing), m_editor(new QPlainTextEdit(this)) {
    setWindowTitle(tr("マーカ一括編集"));
    setSizeGripEnabled(true);

    const QFont fixed = fixedDialogFont(m_editor->font());
    m_editor->setFont(fixed);
    m_editor->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_editor->setTabChangesFocus(true);
    m_editor->installEventFilter(this);

    const MarkerTable& markers = m_editing.markers();
    m_sourceLines.reserve(static_cast<size_t>(markers.count()));
    std::string text = bulkRemarkText(markers);
    for (int i = 0; i < markers.count(); ++i) {
        m_sourceLines.push_back(bulkRemarkTag(i) + std::string(markers[i].remarkText()));
        m_shownBlocks.push_back(
            shownLinesOf(QString::fromStdString(remarkToUtf8(m_sourceLines.back()))));
    }
    m_editor->setPlainText(QString::fromStdString(remarkToUtf8(text)));
    m_editor->moveCursor(QTextCursor::Start);
    m_editor->ensureCursorVisible();

    auto* note = new QLabel(tr("※ [№] (左端6バイト)は編集しないでください。"), this);
    auto* buttons = new QDialogButtonBox(this);
    m_save = buttons->addButton(tr("保存して終了(&S)"), QDialogButtonBox::ActionRole);
    QPushButton* cancel = buttons->addButton(tr("中止(&C)"), QDialogButtonBox::RejectRole);
    m_save->setDefault(true);
    connect(m_save, &QPushButton::clicked, this, &CBatchDlg::save);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_editor, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(note);
    bottom->addStretch();
    bottom->addWidget(buttons);
    layout->addLayout(bottom);

    const QFontMetrics metrics(fixed);
    resize(metrics.horizontalAdvance(QString(80, QLatin1Char('0'))), metrics.lineSpacing() * 30);
    m_editor->setFocus();
}

bool CBatchDlg::eventFilter(QObject* watched, QEvent* event) {
    // Return is not text here (a new line would break the tags): it saves, as the default
    // button of the dialog.
    if (watched == m_editor && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            m_save->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CBatchDlg::save() {
    const QStringList shown = m_editor->toPlainText().split(QLatin1Char('\n'));
    // A marker's lines left as they were go back as they came, all of them: a remark that holds
    // line breaks spreads over several lines and must not lose its continuation on a save.
    std::vector<std::string> lines;
    std::vector<int> firstShownLine;
    for (qsizetype at = 0; at < shown.size();) {
        const std::size_t i = lines.size();
        firstShownLine.push_back(static_cast<int>(at));
        if (i < m_shownBlocks.size() &&
            shown.mid(at, m_shownBlocks[i].size()) == m_shownBlocks[i]) {
            lines.push_back(m_sourceLines[i]);
            at += m_shownBlocks[i].size();
        } else {
            lines.push_back(remarkFromUtf8(shown[at].toStdString()));
            ++at;
        }
    }
    const BulkStoreResult result = storeBulkRemarks(m_editing.markers(), lines);
    if (result.changed) {
        m_changed = true;
        m_editing.changed(RepaintRegion::RemarkPart);
    }
    if (result.wrongLine < 0) {
        accept();
        return;
    }
    selectLine(result.wrongLine < static_cast<int>(firstShownLine.size())
                   ? firstShownLine[static_cast<std::size_t>(result.wrongLine)]
                   : static_cast<int>(shown.size()));
    showMessage(m_editing.ui, msg::BulkTagMismatch, bulkRemarkTag(result.wrongLine) + "\n",
                BoxStyle::Information);
}

void CBatchDlg::selectLine(int line) {
    QTextDocument* document = m_editor->document();
    QTextCursor cursor(document);
    const QTextBlock block = document->findBlockByNumber(line);
    if (block.isValid()) {
        cursor.setPosition(block.position());
        const QTextBlock next = block.next();
        cursor.setPosition(next.isValid() ? next.position() : block.position() + block.length() - 1,
                           QTextCursor::KeepAnchor);
    } else {
        cursor.movePosition(QTextCursor::End);
    }
    m_editor->setTextCursor(cursor);
    m_editor->ensureCursorVisible();
    m_editor->setFocus();
}

} // namespace byzel

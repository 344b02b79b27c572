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
#include <QVBoxLayout>

namespace byzel {

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
        m_shownLines << QString::fromStdString(remarkToUtf8(m_sourceLines.back()));
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
    std::vector<std::string> lines;
    lines.reserve(static_cast<size_t>(shown.size()));
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (i < m_shownLines.size() && shown[i] == m_shownLines[i])
            lines.push_back(m_sourceLines[static_cast<size_t>(i)]);
        else
            lines.push_back(remarkFromUtf8(shown[i].toStdString()));
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
    selectLine(result.wrongLine);
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

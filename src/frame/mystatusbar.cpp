#include "frame/mystatusbar.h"

#include "app/tormelapp.h"
#include "core/text/messages.h"

#include <QHelpEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QTimer>
#include <QToolTip>

namespace byzel {
namespace {

Qt::Alignment qtAlignment(PaneAlignment alignment) {
    switch (alignment) {
    case PaneAlignment::Centre:
        return Qt::AlignCenter;
    case PaneAlignment::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    case PaneAlignment::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

// A fact pane as wide as its sizing text while there is room, narrower when the window is, so
// the panes never force the window wider than the user made it.
class PaneLabel : public QLabel {
public:
    PaneLabel(const QString& sizingText, QWidget* parent) : QLabel(parent) {
        setTextFormat(Qt::PlainText);
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        m_width = fontMetrics().horizontalAdvance(sizingText) + 2 * frameWidth() + 4;
        setMinimumWidth(1);
    }
    [[nodiscard]] QSize sizeHint() const override { return {m_width, QLabel::sizeHint().height()}; }

private:
    int m_width = 0;
};

constexpr int kCopyTickMs = 200;

} // namespace

CMyStatusBar::CMyStatusBar(CTormelApp& app, QWidget* parent)
    : QStatusBar(parent), m_app(app), m_hint(new QLabel(this)),
      m_copyProgress(new QProgressBar(this)), m_copyTick(new QTimer(this)) {
    setMouseTracking(true);
    // The tips' own colours: pale yellow (0x80FFFF) behind red (0x0000FF) text.
    setStyleSheet("QToolTip { background-color: #FFFF80; color: #FF0000; "
                  "border: 1px solid #808080; padding: 2px; }");
    m_hint->setTextFormat(Qt::PlainText);
    m_hint->setMinimumWidth(1);
    addWidget(m_hint, 1);
    for (int i = 0; i < kFactPaneCount; ++i) {
        auto* label = new PaneLabel(QString::fromUtf8(stringText(kFactPaneSizingIds[i])), this);
        addPermanentWidget(label);
        m_facts[i] = label;
    }
    m_hint->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_copyProgress->setRange(0, 100);
    m_copyProgress->setFormat(QStringLiteral("読込み中 %p%"));
    m_copyProgress->setFixedWidth(fontMetrics().horizontalAdvance(m_copyProgress->format()) * 2);
    m_copyProgress->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_copyProgress->hide();
    // Permanent widgets count after the one normal widget, the hint: first before the facts.
    insertPermanentWidget(1, m_copyProgress);
    m_copyTick->setInterval(kCopyTickMs);
    connect(m_copyTick, &QTimer::timeout, this, &CMyStatusBar::showCopyProgress);
    refresh();
}

void CMyStatusBar::refresh() {
    const auto texts = statusPaneTexts(m_app.work().markerFilePath(), m_app.view().referencePoint,
                                       m_app.work().markers().count());
    for (int i = 0; i < kFactPaneCount; ++i) {
        const QString text = QString::fromStdString(texts[i].text);
        if (m_facts[i]->text() != text)
            m_facts[i]->setText(text);
        m_facts[i]->setAlignment(qtAlignment(texts[i].alignment));
    }
    showCopyProgress();
}

void CMyStatusBar::showCopyProgress() {
    const DumpFile& dump = m_app.work().dump();
    if (!dump.copyPending()) {
        m_copyTick->stop();
        m_copyProgress->hide();
        return;
    }
    const std::int64_t size = std::max<std::int64_t>(dump.size(), 1);
    m_copyProgress->setValue(static_cast<int>(dump.copyDone() * 100 / size));
    m_copyProgress->show();
    if (!m_copyTick->isActive())
        m_copyTick->start();
}

bool CMyStatusBar::copyProgressShown() const {
    return !m_copyProgress->isHidden();
}

int CMyStatusBar::copyPercent() const {
    return m_copyProgress->value();
}

QString CMyStatusBar::hint() const {
    return m_hint->text();
}

QString CMyStatusBar::paneText(int factPane) const {
    return m_facts.at(factPane)->text();
}

void CMyStatusBar::showHint(const QString& text) {
    m_hint->setText(text);
}

int CMyStatusBar::paneAt(QPoint position) const {
    for (int i = 0; i < kFactPaneCount; ++i)
        if (m_facts[i]->geometry().contains(position))
            return i + 1;
    return 0;
}

bool CMyStatusBar::event(QEvent* event) {
    // Tips follow the pointer pane by pane, not Qt's own delay rules.
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        showTip(paneAt(help->pos()), help->globalPos());
        return true;
    }
    return QStatusBar::event(event);
}

void CMyStatusBar::mouseMoveEvent(QMouseEvent* event) {
    showTip(paneAt(event->position().toPoint()), event->globalPosition().toPoint());
    QStatusBar::mouseMoveEvent(event);
}

void CMyStatusBar::showTip(int pane, QPoint globalPosition) {
    if (pane == 0) {
        QToolTip::hideText();
        return;
    }
    if (pane != m_lastTipPane)
        QToolTip::hideText();
    QToolTip::showText(globalPosition, QString::fromUtf8(kFactPaneTips[pane - 1]), this);
    m_lastTipPane = pane;
}

} // namespace byzel

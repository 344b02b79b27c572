#include "markers/movemarkdlg.h"

#include "core/markers/remarktext.h"
#include "core/text/messages.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace byzel {
namespace {

constexpr int kMaxAmount = 1000;

QLabel* plainLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

CMoveMarkDlg::CMoveMarkDlg(const MarkerEditing& editing, int first, QWidget* parent)
    : QDialog(parent), m_editing(editing), m_first(first) {
    setWindowTitle(tr("マーカの移動"));
    const int count = m_editing.markers().count();

    m_heading = plainLabel(this);
    m_heading->setText(tr("マーカ №%1 以下のマーカを移動します。").arg(first + 1));

    m_amount = new QSpinBox(this);
    m_amount->setRange(1, kMaxAmount);
    m_amount->setValue(1);
    m_amount->setAlignment(Qt::AlignRight);
    m_amount->setMinimumWidth(m_amount->fontMetrics().horizontalAdvance("00000") + 40);

    m_backward = new QRadioButton(tr("前へ(&F)"), this);
    m_forward = new QRadioButton(tr("後へ(&N)"), this);
    m_forward->setChecked(true);
    auto* direction = new QButtonGroup(this);
    direction->addButton(m_backward);
    direction->addButton(m_forward);

    m_last = new QSpinBox(this);
    m_last->setRange(first + 1, count);
    m_last->setValue(first + 1);
    m_last->setAlignment(Qt::AlignRight);
    m_last->setMinimumWidth(m_last->fontMetrics().horizontalAdvance("00000") + 40);
    m_range = plainLabel(this);
    m_range->setText(QStringLiteral("(%1 - %2)").arg(first + 1).arg(count));

    m_lastMarker = plainLabel(this);
    m_lastMarker->setWordWrap(true);
    m_lastMarker->setMinimumWidth(
        m_lastMarker->fontMetrics().horizontalAdvance(QString(36, QChar(0x3042))));
    m_lastMarker->setFrameShape(QFrame::StyledPanel);
    m_error = plainLabel(this);
    m_error->setAlignment(Qt::AlignCenter);
    QPalette red = m_error->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    m_error->setPalette(red);
    m_error->setMinimumHeight(m_error->fontMetrics().lineSpacing() + 4);

    auto* amountLabel = new QLabel(tr("１ 移動量："), this);
    amountLabel->setBuddy(m_amount);
    auto* directionLabel = new QLabel(tr("２ 移動方向："), this);
    auto* lastLabel = new QLabel(tr("３ 移動対象の最後のマーカ№："), this);
    lastLabel->setBuddy(m_last);

    auto* form = new QGridLayout;
    form->addWidget(amountLabel, 0, 0);
    auto* amountRow = new QHBoxLayout;
    amountRow->addWidget(m_amount);
    amountRow->addWidget(new QLabel(tr("バイト (1 - 1,000)"), this));
    amountRow->addStretch();
    form->addLayout(amountRow, 0, 1);
    form->addWidget(directionLabel, 1, 0);
    auto* directionRow = new QHBoxLayout;
    directionRow->addWidget(m_backward);
    directionRow->addWidget(m_forward);
    directionRow->addStretch();
    form->addLayout(directionRow, 1, 1);
    form->addWidget(lastLabel, 2, 0);
    auto* lastRow = new QHBoxLayout;
    lastRow->addWidget(m_last);
    lastRow->addWidget(m_range);
    lastRow->addStretch();
    form->addLayout(lastRow, 2, 1);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* moveButton = buttons->addButton(tr("移動実行(&M)"), QDialogButtonBox::ActionRole);
    QPushButton* close = buttons->addButton(tr("閉じる(&X)"), QDialogButtonBox::RejectRole);
    moveButton->setDefault(true);
    connect(moveButton, &QPushButton::clicked, this, &CMoveMarkDlg::move);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_heading);
    layout->addSpacing(6);
    layout->addLayout(form);
    layout->addWidget(m_lastMarker);
    layout->addWidget(m_error);
    layout->addWidget(buttons);

    setTabOrder(m_amount, m_backward);
    setTabOrder(m_backward, m_forward);
    setTabOrder(m_forward, m_last);
    setTabOrder(m_last, moveButton);
    setTabOrder(moveButton, close);

    showLastMarker(first + 1);
    connect(m_last, &QSpinBox::valueChanged, this, &CMoveMarkDlg::showLastMarker);
    m_amount->setFocus();
    m_amount->selectAll();
}

QString CMoveMarkDlg::headingText() const {
    return m_heading->text();
}
QString CMoveMarkDlg::rangeText() const {
    return m_range->text();
}
QString CMoveMarkDlg::lastMarkerText() const {
    return m_lastMarker->text();
}
QString CMoveMarkDlg::errorText() const {
    return m_error->text();
}

void CMoveMarkDlg::move() {
    // Whatever was typed is brought into the spins' ranges first.
    m_amount->interpretText();
    m_last->interpretText();
    m_error->clear();
    MarkerTable& markers = m_editing.markers();
    const int last = std::min(m_last->value(), markers.count()) - 1;
    const int refusal = markers.shiftRange(m_first, last, m_amount->value(),
                                           m_backward->isChecked(), m_editing.lastOffset());
    if (refusal != 0) {
        m_error->setText(QString::fromUtf8(stringText(refusal)));
        return;
    }
    m_editing.changed(RepaintRegion::HexArea);
}

void CMoveMarkDlg::showLastMarker(int number) {
    const MarkerTable& markers = m_editing.markers();
    if (number - 1 < m_first || number - 1 >= markers.count())
        return;
    QString remark = QString::fromStdString(remarkToUtf8(markers[number - 1].remarkText()));
    remark.replace(QLatin1Char('\n'), QLatin1Char(' '));
    m_lastMarker->setText(QStringLiteral("[No.%1] %2").arg(number).arg(remark));
}

} // namespace byzel

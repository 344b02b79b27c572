#include "markers/propertydlg.h"

#include "core/markers/remarktext.h"
#include "markers/colorpickbutton.h"
#include "markers/fixedfont.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace byzel {
namespace {

QLabel* valueLabel(QWidget* parent, Qt::Alignment alignment = Qt::AlignCenter) {
    auto* label = new QLabel(parent);
    label->setAlignment(alignment);
    label->setFrameShape(QFrame::StyledPanel);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("00000000")) + 12);
    return label;
}

QToolButton* arrowButton(QWidget* parent, Qt::ArrowType arrow, const QString& name,
                         const QString& tip) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setObjectName(name);
    button->setToolTip(tip);
    button->setAccessibleName(tip);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

} // namespace

CPropertyDlg::CPropertyDlg(const MarkerEditing& editing, int index, QWidget* parent)
    : QDialog(parent), m_editing(editing), m_index(index) {
    setWindowTitle(tr("マーカのプロパティ № %1").arg(index + 1));

    m_colorButton = new ColorPickButton(
        [this](ColorRef initial) { return m_editing.ui.chooseColor(initial); }, this);
    m_colorText = new QLabel(this);
    m_colorText->setTextFormat(Qt::PlainText);
    // Digits in columns, as the format's field widths mean them.
    m_colorText->setFont(fixedDialogFont(m_colorText->font()));

    m_nudges[0] = arrowButton(this, Qt::LeftArrow, "startEarlier", tr("開始位置を1バイト前へ"));
    m_nudges[1] = arrowButton(this, Qt::RightArrow, "startLater", tr("開始位置を1バイト後へ"));
    m_nudges[2] = arrowButton(this, Qt::LeftArrow, "endEarlier", tr("終了位置を1バイト前へ"));
    m_nudges[3] = arrowButton(this, Qt::RightArrow, "endLater", tr("終了位置を1バイト後へ"));
    m_startHex = valueLabel(this);
    m_endHex = valueLabel(this);
    m_startDec = valueLabel(this);
    m_endDec = valueLabel(this);
    m_bytesHex = valueLabel(this);
    m_bytesDec = valueLabel(this);

    m_remarkEdit = new QPlainTextEdit(this);
    m_remarkEdit->setTabChangesFocus(true);
    m_remarkEdit->setMinimumHeight(m_remarkEdit->fontMetrics().lineSpacing() * 4 + 12);
    m_counter = new QLabel(this);

    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(m_colorButton);
    colorRow->addWidget(m_colorText);
    colorRow->addStretch();

    auto* addresses = new QGridLayout;
    addresses->setHorizontalSpacing(4);
    addresses->addWidget(new QLabel(tr("Start"), this), 0, 1, 1, 3, Qt::AlignCenter);
    addresses->addWidget(new QLabel(tr("End"), this), 0, 5, 1, 3, Qt::AlignCenter);
    addresses->addWidget(new QLabel(tr("Byte"), this), 0, 9, Qt::AlignCenter);
    addresses->addWidget(m_nudges[0], 1, 1);
    addresses->addWidget(m_startHex, 1, 2);
    addresses->addWidget(m_nudges[1], 1, 3);
    addresses->addWidget(m_nudges[2], 1, 5);
    addresses->addWidget(m_endHex, 1, 6);
    addresses->addWidget(m_nudges[3], 1, 7);
    addresses->addWidget(m_bytesHex, 1, 9);
    addresses->addWidget(new QLabel(tr("(10進)："), this), 2, 0, Qt::AlignRight);
    addresses->addWidget(m_startDec, 2, 2);
    addresses->addWidget(m_endDec, 2, 6);
    addresses->addWidget(m_bytesDec, 2, 9);
    addresses->setColumnMinimumWidth(4, 12);
    addresses->setColumnMinimumWidth(8, 12);
    addresses->setColumnStretch(10, 1);

    auto* remarkHeading = new QHBoxLayout;
    remarkHeading->addWidget(new QLabel(tr("3 マーカの説明："), this));
    remarkHeading->addStretch();
    remarkHeading->addWidget(m_counter);

    auto* note = new QLabel(
        tr("※ このプロパティは、ダンプリスト右側のマーカ№をＷクリックしても表示されます。"), this);
    note->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(tr("閉じる(&C)"), QDialogButtonBox::RejectRole);
    close->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("1 マーカの色："), this));
    layout->addLayout(colorRow);
    layout->addSpacing(6);
    layout->addWidget(new QLabel(tr("2 アドレス(16進)："), this));
    layout->addLayout(addresses);
    layout->addSpacing(6);
    layout->addLayout(remarkHeading);
    layout->addWidget(m_remarkEdit, 1);
    layout->addWidget(note);
    layout->addWidget(buttons);

    setTabOrder(m_colorButton, m_nudges[0]);
    setTabOrder(m_nudges[0], m_nudges[1]);
    setTabOrder(m_nudges[1], m_nudges[2]);
    setTabOrder(m_nudges[2], m_nudges[3]);
    setTabOrder(m_nudges[3], m_remarkEdit);
    setTabOrder(m_remarkEdit, close);

    const std::string_view remark = record().remarkText();
    showCounter(remark.size());
    showAddresses();
    showColor();
    m_remarkEdit->setPlainText(QString::fromStdString(remarkToUtf8(remark)));

    const MarkerNudge order[] = {MarkerNudge::StartEarlier, MarkerNudge::StartLater,
                                 MarkerNudge::EndEarlier, MarkerNudge::EndLater};
    for (int i = 0; i < 4; ++i)
        connect(m_nudges[i], &QToolButton::clicked, this, [this, n = order[i]] { nudge(n); });
    connect(m_colorButton, &ColorPickButton::colorPicked, this, &CPropertyDlg::colorPicked);
    connect(m_remarkEdit, &QPlainTextEdit::textChanged, this, &CPropertyDlg::remarkEdited);
    m_remarkEdit->setFocus();
}

QToolButton* CPropertyDlg::nudgeButton(MarkerNudge nudge) const {
    return m_nudges[static_cast<int>(nudge)];
}

QString CPropertyDlg::colorText() const {
    return m_colorText->text();
}

QString CPropertyDlg::counterText() const {
    return m_counter->text();
}

QStringList CPropertyDlg::addressTexts() const {
    return {m_startHex->text(), m_endHex->text(), m_bytesHex->text(),
            m_startDec->text(), m_endDec->text(), m_bytesDec->text()};
}

void CPropertyDlg::nudge(MarkerNudge which) {
    if (!nudgeMarker(m_editing.markers(), m_index, which, m_editing.lastOffset()))
        return;
    m_editing.work.setModified(true);
    showAddresses();
}

void CPropertyDlg::colorPicked(ColorRef color) {
    if (color == record().color)
        return;
    m_editing.markers().setColor(m_index, color);
    m_editing.changed(RepaintRegion::WholeView);
    showColor();
}

void CPropertyDlg::remarkEdited() {
    const std::string remark = remarkFromUtf8(m_remarkEdit->toPlainText().toStdString());
    showCounter(remark.size());
    if (remark == record().remarkText())
        return;
    if (!m_editing.markers().setRemark(m_index, remark)) {
        showMessage(m_editing.ui, msg::TextTooLong, {}, BoxStyle::Information);
        return;
    }
    m_editing.changed(RepaintRegion::RemarkPart);
}

void CPropertyDlg::showAddresses() {
    const MarkerRecord& r = record();
    const qint64 bytes = r.byteCount();
    m_startHex->setText(QString::asprintf("%08X", static_cast<unsigned>(r.start)));
    m_endHex->setText(QString::asprintf("%08X", static_cast<unsigned>(r.end)));
    m_startDec->setText(QString::number(r.start));
    m_endDec->setText(QString::number(r.end));
    m_bytesHex->setText(QString::number(bytes, 16).toUpper());
    m_bytesDec->setText(QString::number(bytes));
    if (m_editing.repaint)
        m_editing.repaint(RepaintRegion::HexArea);
}

void CPropertyDlg::showColor() {
    const ColorRef c = record().color;
    m_colorButton->setColor(c);
    m_colorText->setText(QString::asprintf("RGB(%3d, %3d, %3d)", redOf(c), greenOf(c), blueOf(c)));
}

void CPropertyDlg::showCounter(std::size_t bytes) {
    m_counter->setText(tr("(%1/%2バイト)").arg(bytes).arg(kMaxRemarkBytes));
}

} // namespace byzel

#include "search/editdlg.h"

#include "app/progressrunner.h"
#include "app/tormelapp.h"
#include "core/search/dumprewriter.h"
#include "core/ui/progress.h"
#include "search/hexbox.h"
#include "view/tormelview.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>

namespace byzel {
namespace {

enum Control : int {
    WriteButton = 1,
    CancelButton = 2,
    RowAddress = 1002,
    Up = 1001,
    Down = 1024,
    Left = 1003,
    Right = 1025,
    ToTop = 1004,
    FirstBox = 4400,
    FirstMark = 4500,
};

QString controlName(int id) {
    return QStringLiteral("c%1").arg(id);
}

} // namespace

CEditDlg::CEditDlg(CTormelApp& app, CTormelView& view, QWidget* parent)
    : QDialog(parent), m_app(app), m_view(view), m_reference(app.view().referencePoint) {
    setWindowTitle(QStringLiteral("編集"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("現在、基準点のある1行を表示しています。"), this));

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(2);
    // Each column heading stands over its box.
    grid->addWidget(new QLabel(QStringLiteral("address"), this), 0, 0);
    for (int i = 0; i < 16; ++i)
        grid->addWidget(new QLabel(QString::asprintf("%02X", i), this), 0, 1 + i, Qt::AlignCenter);
    auto* address = new QLabel(this);
    address->setObjectName(controlName(RowAddress));
    grid->addWidget(address, 1, 0);
    for (int i = 0; i < 16; ++i) {
        auto* box = new HexBox(this);
        box->setObjectName(controlName(FirstBox + i));
        grid->addWidget(box, 1, 1 + i);
        connect(box, &QLineEdit::textEdited, this, [this, i] { boxEdited(i); });
        auto* mark = new QLabel(this);
        mark->setObjectName(controlName(FirstMark + i));
        mark->setAlignment(Qt::AlignCenter);
        grid->addWidget(mark, 2, 1 + i);
    }
    layout->addLayout(grid);

    auto addButton = [this](int id, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(controlName(id));
        b->setAutoDefault(false);
        return b;
    };
    auto* moves = new QHBoxLayout;
    moves->addWidget(new QLabel(QStringLiteral("基準点の移動："), this));
    QPushButton* up = addButton(Up, QStringLiteral("(&8)"));
    QPushButton* down = addButton(Down, QStringLiteral("(&2)"));
    QPushButton* left = addButton(Left, QStringLiteral("(&4)"));
    QPushButton* right = addButton(Right, QStringLiteral("(&6)"));
    QPushButton* toTop = addButton(ToTop, QStringLiteral("基準点を最上段に表示(&T)"));
    for (QPushButton* b : {up, down, left, right, toTop})
        moves->addWidget(b);
    moves->addStretch();
    layout->addLayout(moves);
    layout->addWidget(new QLabel(
        QStringLiteral("※ 実際のファイルが書き換えられますので、ご注意ください。"), this));
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    QPushButton* write = addButton(WriteButton, QStringLiteral("書込み実行(&W)"));
    QPushButton* cancel = addButton(CancelButton, QStringLiteral("中止(&C)"));
    bottom->addWidget(write);
    bottom->addWidget(cancel);
    layout->addLayout(bottom);

    connect(write, &QPushButton::clicked, this, [this] {
        if (writeRow())
            accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(up, &QPushButton::clicked, this, &CEditDlg::moveUp);
    connect(down, &QPushButton::clicked, this, &CEditDlg::moveDown);
    connect(left, &QPushButton::clicked, this, &CEditDlg::moveLeft);
    connect(right, &QPushButton::clicked, this, &CEditDlg::moveRight);
    connect(toTop, &QPushButton::clicked, this, &CEditDlg::referenceRowToTop);

    loadRow();
    showMarks();
    setChanged(false);
}

QWidget* CEditDlg::control(int id) const {
    return findChild<QWidget*>(controlName(id));
}

void CEditDlg::loadRow() {
    const Offset row = m_reference / 16;
    std::array<std::uint8_t, 16> bytes{};
    m_byteCount = std::max(m_app.work().dump().readAt(row * 16, bytes), 0);
    static_cast<QLabel*>(control(RowAddress))
        ->setText(QString::asprintf("%07lX0", static_cast<unsigned long>(row)));
    m_loading = true;
    for (int i = 0; i < 16; ++i) {
        auto* box = static_cast<HexBox*>(control(FirstBox + i));
        const bool inFile = i < m_byteCount;
        box->setHexText(inFile ? QString::asprintf("%02X", bytes[static_cast<std::size_t>(i)])
                               : QString());
        box->setEnabled(inFile);
    }
    m_loading = false;
}

void CEditDlg::showMarks() {
    for (int i = 0; i < 16; ++i)
        static_cast<QLabel*>(control(FirstMark + i))
            ->setText(i == m_reference % 16 ? QStringLiteral("■") : QStringLiteral("□"));
}

void CEditDlg::setChanged(bool changed) {
    m_changed = changed;
    control(WriteButton)->setEnabled(changed);
}

void CEditDlg::boxEdited(int column) {
    if (m_loading)
        return;
    auto* box = static_cast<HexBox*>(control(FirstBox + column));
    const std::string text = box->text().toStdString();
    if (text.size() == 1 || text.size() == 2) {
        for (char c : text) {
            if (!IsHexDigitText(std::string(1, c), m_app.ui())) {
                box->setFocus();
                return;
            }
        }
    }
    setChanged(true);
}

bool CEditDlg::writeRow() {
    // A box without a byte value in it writes nothing at all, not a part of the row.
    ByteString bytes;
    for (int i = 0; i < m_byteCount; ++i) {
        auto* box = static_cast<HexBox*>(control(FirstBox + i));
        const std::string text = box->text().toStdString();
        const bool valid = !text.empty() && text.size() <= 2 &&
                           std::all_of(text.begin(), text.end(),
                                       [](char c) { return isCapitalHexText(std::string(1, c)); });
        if (!valid) {
            showMessage(m_app.ui(), msg::EnterHex, {}, BoxStyle::Error);
            box->setFocus();
            return false;
        }
        bytes.push_back(HexPairToByte(text.size() == 1 ? "0" + text : text));
    }
    // The runner carries the wait for a working copy still being made and the backup.
    DumpRewriter rewriter(m_app.work(), m_app.workflow(), m_app.ui(), m_app.workFolder(),
                          ProgressRunner::runnerFor(this, QStringLiteral("書き込んでいます...")));
    if (!rewriter.writeRow(m_reference / 16, bytes))
        return false;
    m_view.RepaintDumpView(RepaintRegion::WholeView);
    setChanged(false);
    return true;
}

void CEditDlg::moveUp() {
    if (m_reference < 16)
        return;
    if (m_changed)
        writeRow();
    m_reference -= 16;
    loadRow();
    setChanged(false);
    ViewState& state = m_app.view();
    state.referencePoint -= 16;
    if (state.referencePoint < state.topRow * 16)
        state.topRow = std::max<Offset>(state.topRow - 1, 0);
    m_view.RefreshAfterScroll();
}

void CEditDlg::moveDown() {
    if (m_byteCount < 16 || m_reference + 16 > m_app.work().dump().lastOffset())
        return;
    if (m_changed)
        writeRow();
    m_reference += 16;
    loadRow();
    setChanged(false);
    m_view.StepReferencePoint(StepDirection::Down);
}

void CEditDlg::moveLeft() {
    if (m_reference % 16 == 0)
        return;
    --m_reference;
    showMarks();
    ViewState& state = m_app.view();
    if (state.referencePoint > 0)
        --state.referencePoint;
    m_view.RefreshAfterScroll();
}

void CEditDlg::moveRight() {
    if (m_reference % 16 >= m_byteCount - 1)
        return;
    ++m_reference;
    showMarks();
    ViewState& state = m_app.view();
    if (state.referencePoint < m_app.work().dump().lastOffset())
        ++state.referencePoint;
    m_view.RefreshAfterScroll();
}

void CEditDlg::referenceRowToTop() {
    ViewState& state = m_app.view();
    const Offset lastTop = m_app.work().dump().totalRows() - state.visibleRows;
    state.topRow = std::clamp<Offset>(m_reference / 16, 0, std::max<Offset>(lastTop, 0));
    m_view.RefreshAfterScroll();
}

} // namespace byzel

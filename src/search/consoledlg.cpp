#include "search/consoledlg.h"

#include "app/progressrunner.h"
#include "app/tormelapp.h"
#include "core/search/consolenavigation.h"
#include "core/search/dumprewriter.h"
#include "core/search/hexboxrow.h"
#include "core/settings/settings.h"
#include "core/text/sjis.h"
#include "search/hexbox.h"
#include "view/tormelview.h"

#include <QButtonGroup>
#include <QCursor>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace byzel {
namespace {

enum Control : int {
    SearchText = 326,
    ReplaceText = 327,
    SearchRecent = 314,
    ReplaceRecent = 315,
    OffsetBytesLabel = 311,
    RecentFirstItem = 316,
    DecimalOffset = 1000,
    SearchUp = 1001,
    SearchDown = 1002,
    HitToReference = 1003,
    GotoHex = 1004,
    ScrollUp = 1005,
    ReplaceCurrent = 1006,
    ReplaceAll = 1007,
    ClearSearch = 1008,
    ClearReplace = 1009,
    GotoDecimal = 1010,
    BigEndianRadio = 1011,
    LittleEndianRadio = 1012,
    CopyToReplace = 1013,
    ScrollDown = 1024,
    OffsetValueLabel = 1036,
    Close = 2,
};

QString controlName(int id) {
    return QStringLiteral("c%1").arg(id);
}

// Text typed into a box as the Shift-JIS bytes it stands for; characters without a Shift-JIS
// form are left out.
std::string shiftJisBytes(const QString& text) {
    if (auto whole = utf8ToCp932(text.toStdString()))
        return *whole;
    std::string bytes;
    for (const QString& ch : text.split(QString(), Qt::SkipEmptyParts))
        if (auto one = utf8ToCp932(ch.toStdString()))
            bytes += *one;
    return bytes;
}

const QString kClearTip = QStringLiteral("【クリア】\nセットされている16進文字をクリアします");
const QString kRecentTip = QStringLiteral(
    "【最近使った文字列】\nクリックして表示されるメニューから選択してセットできます");

} // namespace

CConsoleDlg::CConsoleDlg(CTormelApp& app, CTormelView& view, QWidget* parent)
    : QDialog(parent), m_app(app), m_view(view) {
    setWindowTitle(QStringLiteral("検索置換コンソール"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildPatternRows());
    layout->addWidget(buildOffsetRows());
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(button(Close, QStringLiteral("閉じる(&X)"),
                             QStringLiteral("このウィンドウを閉じて戻ります")));
    layout->addLayout(bottom);
    connect(static_cast<QPushButton*>(control(Close)), &QPushButton::clicked, this,
            &QDialog::reject);

    const SettingsStore& settings = m_app.settings();
    setRow(kSearchRowId, storedHexRow(settings, kSearchRowId, kSearchRowBoxes));
    setRow(kReplaceRowId, storedHexRow(settings, kReplaceRowId, kReplaceRowBoxes));
    setRow(kOffsetRowId, storedHexRow(settings, kOffsetRowId, kOffsetRowBoxes));
    static_cast<QLineEdit*>(control(DecimalOffset))
        ->setText(QString::fromStdString(settings.readText(section::Last, "Off10")));
    (settings.readInt(section::Last, "Endian") == 1 ? m_bigEndian : m_littleEndian)
        ->setChecked(true);
    updateOffsetLabels();
    updateReplaceButton();
}

QWidget* CConsoleDlg::control(int id) const {
    return findChild<QWidget*>(controlName(id));
}

QPushButton* CConsoleDlg::button(int id, const QString& text, const QString& tip) {
    auto* b = new QPushButton(text, this);
    b->setObjectName(controlName(id));
    b->setToolTip(tip);
    b->setAutoDefault(false);
    return b;
}

HexBox* CConsoleDlg::hexBox(int id) {
    auto* box = new HexBox(this);
    box->setObjectName(controlName(id));
    return box;
}

QWidget* CConsoleDlg::buildPatternRows() {
    auto* group = new QGroupBox(this);
    auto* grid = new QGridLayout(group);
    struct Row {
        int textId, firstId, count, clearId, recentId;
        QString textLabel;
    };
    const Row rows[] = {
        {SearchText, kSearchRowId, kSearchRowBoxes, ClearSearch, SearchRecent,
         QStringLiteral("検索文字列(Ascii)：")},
        {ReplaceText, kReplaceRowId, kReplaceRowBoxes, ClearReplace, ReplaceRecent,
         QStringLiteral("置換文字列(Ascii)：")},
    };
    int line = 0;
    for (const Row& row : rows) {
        auto* text = new QLineEdit(this);
        text->setObjectName(controlName(row.textId));
        grid->addWidget(new QLabel(row.textLabel, this), line, 0);
        grid->addWidget(text, line, 1, 1, 3);
        connect(text, &QLineEdit::textChanged, this,
                [this, text, row] { textToBoxes(text, row.firstId, row.count); });
        ++line;
        grid->addWidget(new QLabel(QStringLiteral("(16進)："), this), line, 0, Qt::AlignTop);
        auto* boxes = new QGridLayout;
        boxes->setHorizontalSpacing(2);
        for (int i = 0; i < row.count; ++i)
            boxes->addWidget(hexBox(row.firstId + i), i / 12, i % 12);
        grid->addLayout(boxes, line, 1);
        auto* side = new QHBoxLayout;
        QPushButton* clear = button(row.clearId, QStringLiteral("C"), kClearTip);
        QPushButton* recent = button(row.recentId, QStringLiteral("▼"), kRecentTip);
        for (QPushButton* small : {clear, recent})
            small->setFixedWidth(small->sizeHint().height() + 4);
        side->addWidget(clear);
        side->addWidget(recent);
        side->addStretch();
        grid->addLayout(side, line, 2, Qt::AlignTop);
        connect(clear, &QPushButton::clicked, this,
                [this, row] { setRow(row.firstId, std::vector<std::string>(row.count)); });
        connect(recent, &QPushButton::clicked, this,
                [this, row, recent] { showRecentMenu(row.firstId, recent); });
        ++line;
        if (row.firstId == kSearchRowId) {
            grid->addWidget(new QLabel(QStringLiteral("|← 左詰め"), this), line, 1);
            ++line;
        }
    }

    auto* buttons = new QGridLayout;
    QPushButton* copy = button(CopyToReplace, QStringLiteral("コピー(&W)"),
                               QStringLiteral("置換文字列(16進)へコピーします"));
    QPushButton* up = button(SearchUp, QStringLiteral("上へ検索(&U)"),
                             QStringLiteral("左に入力された検索文字列(16進)を上方向へ検索します"));
    QPushButton* down =
        button(SearchDown, QStringLiteral("下へ検索(&D)"),
               QStringLiteral("左に入力された検索文字列(16進)を下方向へ検索します"));
    QPushButton* toReference =
        button(HitToReference, QStringLiteral("検索結果の先頭を基準点にする(&P)"),
               QStringLiteral("文字列検索またはオフセット検索で表示した位置を基準点にします"));
    QPushButton* replaceHit =
        button(ReplaceCurrent, QStringLiteral("現在の検索結果を置換(&R)"), {});
    QPushButton* replaceAllButton = button(ReplaceAll, QStringLiteral("すべて一括置換(&B)"), {});
    buttons->addWidget(up, 0, 0);
    buttons->addWidget(down, 0, 1);
    buttons->addWidget(toReference, 0, 2);
    buttons->addWidget(copy, 1, 0);
    buttons->addWidget(replaceHit, 1, 1);
    buttons->addWidget(replaceAllButton, 1, 2);
    grid->addLayout(buttons, line, 0, 1, 3);

    connect(copy, &QPushButton::clicked, this, [this] {
        std::vector<std::string> texts(kReplaceRowBoxes);
        for (int i = 0; i < kSearchRowBoxes; ++i)
            texts[static_cast<std::size_t>(i)] =
                static_cast<HexBox*>(control(kSearchRowId + i))->text().toStdString();
        setRow(kReplaceRowId, texts);
    });
    connect(up, &QPushButton::clicked, this, [this] { search(SearchDirection::Up); });
    connect(down, &QPushButton::clicked, this, [this] { search(SearchDirection::Down); });
    connect(toReference, &QPushButton::clicked, this, &CConsoleDlg::hitToReferencePoint);
    connect(replaceHit, &QPushButton::clicked, this, &CConsoleDlg::replaceCurrent);
    connect(replaceAllButton, &QPushButton::clicked, this, &CConsoleDlg::replaceAll);
    return group;
}

QWidget* CConsoleDlg::buildOffsetRows() {
    auto* group = new QGroupBox(QStringLiteral("オフセット検索"), this);
    auto* grid = new QGridLayout(group);

    grid->addWidget(new QLabel(QStringLiteral("(16進)："), this), 0, 0);
    auto* boxes = new QHBoxLayout;
    for (int i = 0; i < kOffsetRowBoxes; ++i) {
        HexBox* box = hexBox(kOffsetRowId + i);
        boxes->addWidget(box);
        connect(box, &QLineEdit::textEdited, this, [this, box] { offsetBoxChanged(box); });
    }
    boxes->addStretch();
    grid->addLayout(boxes, 0, 1);
    auto* value = new QLabel(this);
    value->setObjectName(controlName(OffsetValueLabel));
    value->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("16777215")) + 8);
    grid->addWidget(value, 0, 2);
    QPushButton* gotoHex =
        button(GotoHex, QStringLiteral("検索(&O)"),
               QStringLiteral("左に入力された16進値で基準点からのオフセット位置を表示します"));
    grid->addWidget(gotoHex, 0, 3);

    auto* order = new QGroupBox(QStringLiteral("バイトオーダ："), this);
    auto* orderLayout = new QVBoxLayout(order);
    m_bigEndian = new QRadioButton(QStringLiteral("MM (Big Endian) (&E)"), order);
    m_bigEndian->setObjectName(controlName(BigEndianRadio));
    m_littleEndian = new QRadioButton(QStringLiteral("II (Little Endian) (&L)"), order);
    m_littleEndian->setObjectName(controlName(LittleEndianRadio));
    orderLayout->addWidget(m_bigEndian);
    orderLayout->addWidget(m_littleEndian);
    grid->addWidget(order, 0, 4, 2, 1);

    grid->addWidget(new QLabel(QStringLiteral("(10進)："), this), 1, 0);
    auto* decimal = new QLineEdit(this);
    decimal->setObjectName(controlName(DecimalOffset));
    decimal->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,10}")), decimal));
    grid->addWidget(decimal, 1, 1);
    auto* bytes = new QLabel(this);
    bytes->setObjectName(controlName(OffsetBytesLabel));
    grid->addWidget(bytes, 1, 2);
    QPushButton* gotoDecimal =
        button(GotoDecimal, QStringLiteral("検索(&Q)"),
               QStringLiteral("左に入力された10進値で基準点からのオフセット位置を表示します"));
    grid->addWidget(gotoDecimal, 1, 3);

    auto* scroll = new QHBoxLayout;
    scroll->addWidget(new QLabel(QStringLiteral("ダンプリストスクロール："), this));
    QPushButton* scrollUp = button(ScrollUp, QStringLiteral("(&8)"),
                                   QStringLiteral("ダンプリストを１行上へスクロールします"));
    QPushButton* scrollDown = button(ScrollDown, QStringLiteral("(&2)"),
                                     QStringLiteral("ダンプリストを１行下へスクロールします"));
    scroll->addWidget(scrollUp);
    scroll->addWidget(scrollDown);
    scroll->addStretch();
    grid->addLayout(scroll, 2, 0, 1, 5);

    connect(gotoHex, &QPushButton::clicked, this, &CConsoleDlg::gotoHexOffset);
    connect(gotoDecimal, &QPushButton::clicked, this, &CConsoleDlg::gotoDecimalOffset);
    connect(decimal, &QLineEdit::textChanged, this, &CConsoleDlg::updateOffsetLabels);
    connect(m_bigEndian, &QRadioButton::toggled, this, &CConsoleDlg::updateOffsetLabels);
    connect(scrollUp, &QPushButton::clicked, this, [this] { scrollOneRow(true); });
    connect(scrollDown, &QPushButton::clicked, this, [this] { scrollOneRow(false); });
    return group;
}

void CConsoleDlg::done(int result) {
    m_app.settings().writeInt(section::Last, "Endian", bigEndian() ? 1 : 2);
    QDialog::done(result);
}

bool CConsoleDlg::bigEndian() const {
    return m_bigEndian->isChecked();
}

std::optional<ByteString> CConsoleDlg::readRow(int firstId, int count, bool emptyAllowed) {
    std::vector<std::string> texts;
    for (int i = 0; i < count; ++i)
        texts.push_back(static_cast<HexBox*>(control(firstId + i))->text().toStdString());
    const HexRowReading reading =
        ReadHexBoxRow(texts, firstId, emptyAllowed, m_app.ui(), m_app.settings());
    // A single digit the user agreed to read as 0X shows so, also when a later box fails.
    for (int i = 0; i < count; ++i) {
        auto* box = static_cast<HexBox*>(control(firstId + i));
        const QString text = QString::fromStdString(texts[static_cast<std::size_t>(i)]);
        if (box->text() != text)
            box->setHexText(text);
    }
    if (!reading.ok) {
        if (reading.focusBox >= 0)
            control(firstId + reading.focusBox)->setFocus();
        return std::nullopt;
    }
    return reading.bytes;
}

void CConsoleDlg::setRow(int firstId, const std::vector<std::string>& texts) {
    for (std::size_t i = 0; i < texts.size(); ++i)
        static_cast<HexBox*>(control(firstId + static_cast<int>(i)))
            ->setHexText(QString::fromStdString(texts[i]));
    if (firstId == kOffsetRowId)
        updateOffsetLabels();
}

void CConsoleDlg::textToBoxes(QLineEdit* text, int firstId, int count) {
    setRow(firstId, byzel::textToBoxes(shiftJisBytes(text->text()), count));
}

void CConsoleDlg::search(SearchDirection direction) {
    const auto pattern = readRow(kSearchRowId, kSearchRowBoxes, false);
    if (!pattern || !m_app.work().isOpen() || !m_app.finishDumpCopy(this))
        return;
    const PassRunner runner = ProgressRunner::runnerFor(this, QStringLiteral("検索しています..."));
    if (SearchPattern(m_app.work(), m_app.view(), *pattern, direction, runner, m_app.ui()) ==
        SearchOutcome::Found)
        m_view.RepaintDumpView(RepaintRegion::WholeView);
    updateReplaceButton();
}

void CConsoleDlg::hitToReferencePoint() {
    if (m_app.work().searchHit().exists())
        m_app.view().referencePoint = m_app.work().searchHit().start;
    m_view.RepaintDumpView(RepaintRegion::WholeView);
}

void CConsoleDlg::replaceCurrent() {
    const auto pattern = readRow(kSearchRowId, kSearchRowBoxes, false);
    if (!pattern)
        return;
    const PassRunner runner = ProgressRunner::runnerFor(this, QStringLiteral("置換しています..."));
    DumpRewriter rewriter(m_app.work(), m_app.workflow(), m_app.ui(), m_app.workFolder(), runner);
    rewriter.ReplaceCurrentHit(*pattern,
                               [this] { return readRow(kReplaceRowId, kReplaceRowBoxes, true); });
    m_view.RepaintDumpView(RepaintRegion::WholeView);
}

void CConsoleDlg::replaceAll() {
    const auto pattern = readRow(kSearchRowId, kSearchRowBoxes, false);
    if (!pattern)
        return;
    const auto replacement = readRow(kReplaceRowId, kReplaceRowBoxes, true);
    if (!replacement)
        return;
    const PassRunner runner = ProgressRunner::runnerFor(this, QStringLiteral("置換しています..."));
    DumpRewriter rewriter(m_app.work(), m_app.workflow(), m_app.ui(), m_app.workFolder(), runner);
    rewriter.ReplaceAllMatches(*pattern, *replacement);
    m_view.RepaintDumpView(RepaintRegion::WholeView);
}

void CConsoleDlg::gotoHexOffset() {
    const auto bytes = readRow(kOffsetRowId, kOffsetRowBoxes, false);
    if (!bytes || !m_app.work().isOpen())
        return;
    GotoOffset(m_app.work(), m_app.view(),
               static_cast<std::int64_t>(BytesToNumber(*bytes, bigEndian())), m_app.ui());
    afterJump();
}

void CConsoleDlg::gotoDecimalOffset() {
    const QString text = static_cast<QLineEdit*>(control(DecimalOffset))->text();
    m_app.settings().writeText(section::Last, "Off10", text.toStdString());
    if (!m_app.work().isOpen())
        return;
    GotoOffset(m_app.work(), m_app.view(), text.toLongLong(), m_app.ui());
    afterJump();
}

void CConsoleDlg::afterJump() {
    m_view.RepaintDumpView(RepaintRegion::WholeView);
    updateReplaceButton();
}

void CConsoleDlg::scrollOneRow(bool up) {
    ViewState& state = m_app.view();
    const Offset totalRows = m_app.work().dump().totalRows();
    if (!m_app.work().isOpen() || state.visibleRows >= totalRows)
        return;
    state.topRow = up ? std::max<Offset>(state.topRow - 1, 0)
                      : std::min<Offset>(state.topRow + 1, totalRows - state.visibleRows);
    m_view.RefreshAfterScroll();
}

void CConsoleDlg::offsetBoxChanged(HexBox* box) {
    const QString text = box->text();
    const bool valid = text.isEmpty() || std::all_of(text.begin(), text.end(), [](QChar c) {
                           return isCapitalHexText(QString(c).toStdString());
                       });
    if (!valid) {
        showMessage(m_app.ui(), msg::EnterHex, {}, BoxStyle::Error);
        box->setFocus();
        return;
    }
    if (text.size() != 1)
        updateOffsetLabels();
}

void CConsoleDlg::updateOffsetLabels() {
    ByteString bytes;
    for (int i = 0; i < kOffsetRowBoxes; ++i) {
        const std::string text =
            static_cast<HexBox*>(control(kOffsetRowId + i))->text().toStdString();
        if (text.empty())
            break;
        // A single digit is not read until the row is: it counts as 00 meanwhile.
        bytes.push_back(text.size() == 2 ? HexPairToByte(text) : 0);
    }
    static_cast<QLabel*>(control(OffsetValueLabel))
        ->setText(QString::number(BytesToNumber(bytes, bigEndian())));
    const QString decimal = static_cast<QLineEdit*>(control(DecimalOffset))->text();
    static_cast<QLabel*>(control(OffsetBytesLabel))
        ->setText(QString::fromStdString(
            offsetBytesText(static_cast<std::uint32_t>(decimal.toULongLong()), bigEndian())));
}

void CConsoleDlg::showRecentMenu(int rowId, QPushButton* from) {
    const std::vector<std::string> entries = recentPatterns(m_app.settings(), rowId);
    if (std::all_of(entries.begin(), entries.end(), [](const auto& e) { return e.empty(); }))
        return;
    QMenu menu(from);
    menu.setObjectName(QStringLiteral("recentMenu"));
    const int count = rowId == kSearchRowId ? kSearchRowBoxes : kReplaceRowBoxes;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].empty())
            continue;
        QAction* item =
            menu.addAction(QString::fromStdString(cp932ToUtf8(recentMenuText(entries[i]))));
        item->setData(RecentFirstItem + static_cast<int>(i));
        connect(item, &QAction::triggered, this, [this, rowId, count, entry = entries[i]] {
            setRow(rowId, entryToBoxes(entry, count));
        });
    }
    menu.exec(QCursor::pos());
}

void CConsoleDlg::updateReplaceButton() {
    control(ReplaceCurrent)->setEnabled(m_app.work().searchHit().exists());
}

} // namespace byzel

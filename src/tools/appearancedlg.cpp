#include "tools/appearancedlg.h"

#include "app/progressrunner.h"
#include "app/tormelapp.h"
#include "core/dumpfile/bytesource.h"
#include "core/settings/settings.h"
#include "core/text/messages.h"
#include "core/text/sjis.h"
#include "core/tools/occurrences.h"
#include "core/ui/uiport.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTextDocument>
#include <QVBoxLayout>

namespace byzel {
namespace {

constexpr std::string_view kMaxChar = "MaxChar";
constexpr std::string_view kCharType = "CharType";
constexpr int kColumnWidth = 70;

QTableWidgetItem* centred(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

QString fromSjis(const std::string& bytes) {
    return QString::fromStdString(cp932ToUtf8(bytes));
}

} // namespace

CAppearanceDlg::CAppearanceDlg(const ByteSource& source, SettingsStore& settings, UiPort& ui,
                               QWidget* parent)
    : QDialog(parent), m_source(source), m_settings(settings), m_ui(ui),
      m_maxCombo(new QComboBox(this)), m_kinds(new QButtonGroup(this)),
      m_list(new QTableWidget(0, 4, this)), m_codeTable(new QPlainTextEdit(this)),
      m_total(new QLabel(this)) {
    setWindowTitle(QStringLiteral("出現回数"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    m_maxCombo->setObjectName("maxCombo");
    for (const char* n : {"200", "500", "1000", "2000", "4000", "6000", "9000"})
        m_maxCombo->addItem(QString::fromLatin1(n));
    auto* refresh = new QPushButton(QStringLiteral("更新(&R)"), this);
    refresh->setObjectName("refreshButton");

    auto* kindBox = new QHBoxLayout;
    const char* kindNames[] = {"すべて(&0)", "全角(&1)", "半角(&2)", "半角英字(&3)", "漢字(&4)"};
    for (int kind = 0; kind < 5; ++kind) {
        auto* radio = new QRadioButton(QString::fromUtf8(kindNames[kind]), this);
        radio->setObjectName(QStringLiteral("kindRadio%1").arg(kind));
        m_kinds->addButton(radio, kind);
        kindBox->addWidget(radio);
    }
    kindBox->addStretch();

    m_list->setObjectName("characterList");
    m_list->setHorizontalHeaderLabels({QStringLiteral("回数"), QStringLiteral("文字"),
                                       QStringLiteral("コード"), QStringLiteral("10進")});
    for (int c = 0; c < 4; ++c)
        m_list->setColumnWidth(c, kColumnWidth);
    m_list->verticalHeader()->hide();
    m_list->setShowGrid(true);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setFixedWidth(4 * kColumnWidth + m_list->verticalScrollBar()->sizeHint().width() +
                          2 * m_list->frameWidth());

    m_codeTable->setObjectName("codeTable");
    m_codeTable->setReadOnly(true);
    m_codeTable->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_codeTable->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_codeTable->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_total->setObjectName("totalBytes");

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("max"), this));
    top->addWidget(m_maxCombo);
    top->addWidget(refresh);
    top->addStretch();
    auto* codeHead = new QHBoxLayout;
    codeHead->addWidget(new QLabel(QStringLiteral("2 コード出現回数"), this));
    codeHead->addWidget(m_total);
    codeHead->addStretch();

    auto* grid = new QGridLayout(this);
    grid->addLayout(top, 0, 0, 1, 2);
    grid->addLayout(kindBox, 1, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("1 文字出現回数"), this), 2, 0);
    grid->addLayout(codeHead, 2, 1);
    grid->addWidget(m_list, 3, 0);
    grid->addWidget(m_codeTable, 3, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(3, 1);

    selectStoredCapacity();
    if (QAbstractButton* radio = m_kinds->button(m_settings.readInt(section::Last, kCharType)))
        radio->setChecked(true);

    connect(m_maxCombo, &QComboBox::currentIndexChanged, this,
            [this] { m_settings.writeInt(section::Last, kMaxChar, capacity()); });
    connect(m_kinds, &QButtonGroup::idClicked, this,
            [this](int kind) { m_settings.writeInt(section::Last, kCharType, kind); });
    connect(refresh, &QPushButton::clicked, this, [this] { countCharacters(); });

    // Wide enough for the whole code table; never smaller than at the start.
    m_codeTable->ensurePolished();
    const QFontMetrics metrics(m_codeTable->font());
    const int frames = 2 * m_codeTable->frameWidth() +
                       2 * static_cast<int>(m_codeTable->document()->documentMargin()) +
                       m_codeTable->verticalScrollBar()->sizeHint().width();
    m_codeTable->setMinimumWidth(metrics.horizontalAdvance(QString(5 + 16 * 9 + 1, QChar('0'))) +
                                 frames);
    m_codeTable->setMinimumHeight(metrics.lineSpacing() * 18 + frames);
    m_list->verticalHeader()->setDefaultSectionSize(m_list->fontMetrics().height() + 6);
    setMinimumSize(sizeHint());
}

CAppearanceDlg::~CAppearanceDlg() = default;

void CAppearanceDlg::selectStoredCapacity() {
    const QString stored = QString::number(m_settings.readInt(section::Last, kMaxChar));
    int index = 0;
    for (int i = 0; i < m_maxCombo->count(); ++i)
        if (m_maxCombo->itemText(i).startsWith(stored)) {
            index = i;
            break;
        }
    const QSignalBlocker quiet(m_maxCombo);
    m_maxCombo->setCurrentIndex(index);
}

int CAppearanceDlg::capacity() const {
    return m_maxCombo->currentText().toInt();
}

std::unique_ptr<OccurrenceCounter> CAppearanceDlg::runPass() {
    std::unique_ptr<OccurrenceCounter> counts;
    bool stopped = false;
    const bool finished = ProgressRunner::run(
        isVisible() ? this : parentWidget(), QStringLiteral("出現回数を数えています..."),
        [&](const ProgressFn& progress) {
            auto result = countOccurrences(m_source, [&](std::int64_t done, std::int64_t total) {
                stopped = !progress(done, total);
                return !stopped;
            });
            if (result)
                counts = std::make_unique<OccurrenceCounter>(std::move(*result));
            return counts != nullptr;
        });
    if (!counts && !stopped)
        showMessage(m_ui, msg::ReadFailed, {}, BoxStyle::Error);
    return finished ? std::move(counts) : nullptr;
}

bool CAppearanceDlg::countAll() {
    const auto counts = runPass();
    if (!counts)
        return false;
    fillCharacterList(*counts);
    fillCodeTable(*counts);
    return true;
}

bool CAppearanceDlg::countCharacters() {
    const auto counts = runPass();
    if (!counts)
        return false;
    fillCharacterList(*counts);
    return true;
}

void CAppearanceDlg::fillCharacterList(const OccurrenceCounter& counts) {
    m_list->setRowCount(0);
    const CharacterTable table =
        characterTable(counts, m_settings.readInt(section::Last, kCharType), capacity());
    if (table.full)
        showMessage(m_ui, msg::CharTableFull, {}, BoxStyle::Information);
    m_list->setRowCount(static_cast<int>(table.rows.size()));
    int row = 0;
    for (const CharacterRow& r : table.rows) {
        m_list->setItem(row, 0, centred(QString::fromStdString(countText(r.count))));
        m_list->setItem(row, 1, centred(fromSjis(characterBytes(r.code))));
        m_list->setItem(row, 2, centred(QString::fromStdString(codeText(r.code))));
        m_list->setItem(row, 3, centred(QString::fromStdString(decimalText(r.code))));
        ++row;
    }
    if (row > 0) {
        m_list->selectRow(0);
        m_list->setFocus();
    }
}

void CAppearanceDlg::fillCodeTable(const OccurrenceCounter& counts) {
    m_codeTable->setPlainText(
        QString::fromStdString(codeTableText(counts.byteCounts())).replace("\r\n", "\n"));
    m_total->setText(QString::fromStdString(totalText(counts.totalBytes())));
}

void openAppearanceDialog(CTormelApp& app, QWidget* parent) {
    if (!app.work().isOpen() || !app.finishDumpCopy(parent))
        return;
    CAppearanceDlg dialog(app.work().dump(), app.settings(), app.ui(), parent);
    dialog.countAll();
    dialog.exec();
}

} // namespace byzel

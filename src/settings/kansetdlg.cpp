#include "settings/kansetdlg.h"

#include "app/listingfont.h"
#include "app/tormelapp.h"
#include "core/settings/fontnamelist.h"
#include "core/settings/settings.h"
#include "core/text/messages.h"
#include "core/ui/uiport.h"
#include "view/tormelview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace byzel {
namespace {

constexpr int kMinFontSize = 8;
constexpr int kMaxFontSize = 36;

QString fromSetting(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

CKansetDlg::CKansetDlg(SettingsStore& settings, UiPort& ui, const QStringList& faces,
                       QWidget* parent)
    : QDialog(parent), m_settings(settings), m_ui(ui), m_fontName(new QComboBox),
      m_fontSize(new QSpinBox), m_normal(new QRadioButton(tr("普通(&N)"))),
      m_bold(new QRadioButton(tr("太い(&B)"))),
      m_openLast(new QCheckBox(tr("起動時に前回のファイルを開く(&Z)"))),
      m_leftScrollBar(new QCheckBox(tr("垂直スクロールバーを左に表示(&L)"))) {
    setWindowTitle(tr("システム環境の設定"));

    m_fontName->setMaxVisibleItems(20);
    m_fontSize->setRange(kMinFontSize, kMaxFontSize);
    // Digits only; a number above 36 cannot be typed, one below 8 is raised to 8 on storing.
    m_fontSize->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);

    auto* fontGrid = new QGridLayout;
    fontGrid->addWidget(new QLabel(tr("フォント名：")), 0, 0);
    fontGrid->addWidget(m_fontName, 0, 1, 1, 3);
    fontGrid->addWidget(new QLabel(tr("フォントサイズ：")), 1, 0);
    fontGrid->addWidget(m_fontSize, 1, 1);
    fontGrid->addWidget(new QLabel(tr("(8 - 36)")), 1, 2);
    fontGrid->addWidget(new QLabel(tr("フォントの太さ：")), 2, 0);
    auto* weights = new QHBoxLayout;
    weights->addWidget(m_normal);
    weights->addWidget(m_bold);
    weights->addStretch();
    fontGrid->addLayout(weights, 2, 1, 1, 3);
    auto* note = new QLabel(tr("※ Terminal、ＭＳ ゴシック、ＭＳ 明朝などの固定幅フォントを選択して"
                               "ください。\n　プロポーショナルフォントの場合は、マーカなどがズレ"
                               "ますで、ご注意ください。"));
    fontGrid->addWidget(note, 3, 0, 1, 4);
    fontGrid->setColumnStretch(3, 1);
    auto* fontGroup = new QGroupBox(tr("1 フォント"));
    fontGroup->setLayout(fontGrid);

    auto* otherLayout = new QVBoxLayout;
    otherLayout->addWidget(m_openLast);
    otherLayout->addWidget(m_leftScrollBar);
    auto* otherGroup = new QGroupBox(tr("2 その他"));
    otherGroup->setLayout(otherLayout);

    auto* save = new QPushButton(tr("保存して終了(&S)"));
    auto* close = new QPushButton(tr("閉じる(&C)"));
    save->setDefault(true);
    connect(save, &QPushButton::clicked, this, &CKansetDlg::accept);
    connect(close, &QPushButton::clicked, this, &CKansetDlg::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fontGroup);
    layout->addWidget(otherGroup);
    layout->addLayout(buttons);

    fillFontNames(faces);
    showStoredValues();
}

QStringList CKansetDlg::installedFaces() {
    QStringList faces = QFontDatabase::families();
    // A Windows face the listing maps to an installed font is as usable as the font itself;
    // offering it keeps the usual "ＭＳ ゴシック" selectable. Qt keeps substitutes lower case.
    for (const QString& face : substitutedFaces()) {
        const QStringList targets = QFont::substitutes(face);
        if (std::any_of(targets.begin(), targets.end(), [&faces](const QString& t) {
                return faces.contains(t, Qt::CaseInsensitive);
            }))
            faces.append(face);
    }
    return faces;
}

void CKansetDlg::fillFontNames(const QStringList& faces) {
    std::vector<std::string> reported;
    reported.reserve(std::size_t(faces.size()));
    for (const QString& face : faces)
        reported.push_back(face.toStdString());
    QStringList names;
    for (const std::string& name : selectableFontNames(reported))
        names.append(fromSetting(name));
    names.sort(Qt::CaseInsensitive);
    m_fontName->clear();
    m_fontName->addItems(names);
}

void CKansetDlg::showStoredValues() {
    // The first name that begins with the stored one, letter case aside; none when the face
    // is no longer installed.
    const QString stored = fromSetting(m_settings.readText(section::Settings, "FontName"));
    m_fontName->setCurrentIndex(m_fontName->findText(stored, Qt::MatchStartsWith));
    m_fontSize->setValue(m_settings.readInt(section::Settings, "FontSize"));
    const bool bold = m_settings.readInt(section::Settings, "FontBold") == 1;
    m_bold->setChecked(bold);
    m_normal->setChecked(!bold);
    m_openLast->setChecked(m_settings.readInt(section::Settings, "OpenLast") == 1);
    m_leftScrollBar->setChecked(m_settings.readInt(section::Settings, "LeftScrolBar") == 1);
}

void CKansetDlg::accept() {
    if (m_fontName->currentIndex() < 0) {
        showMessage(m_ui, msg::NoFontSelected, {}, BoxStyle::Error);
        m_fontName->setFocus();
        return;
    }
    m_fontSize->interpretText();
    m_settings.writeText(section::Settings, "FontName", m_fontName->currentText().toStdString());
    m_settings.writeInt(section::Settings, "FontSize", m_fontSize->value());
    m_settings.writeInt(section::Settings, "FontBold", m_bold->isChecked() ? 1 : 0);
    m_settings.writeInt(section::Settings, "OpenLast", m_openLast->isChecked() ? 1 : 0);
    m_settings.writeInt(section::Settings, "LeftScrolBar", m_leftScrollBar->isChecked() ? 1 : 0);
    QDialog::accept();
}

bool ShowKanset(CTormelApp& app, CTormelView& view, QWidget* parent) {
    SettingsStore& settings = app.settings();
    const int leftBefore = settings.readInt(section::Settings, "LeftScrolBar");
    CKansetDlg dialog(settings, app.ui(), CKansetDlg::installedFaces(), parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const int leftNow = settings.readInt(section::Settings, "LeftScrolBar");
    if (leftNow != leftBefore)
        view.setScrollBarOnLeft(leftNow == 1);
    // A new size changes the row height and so the rows on a page.
    view.LayoutDumpView();
    return true;
}

} // namespace byzel

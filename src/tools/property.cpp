#include "tools/property.h"

#include "app/tormelapp.h"
#include "core/workflow/documentinfo.h"
#include "tools/appearancedlg.h"
#include "tools/showfolder.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace byzel {
namespace {

QString pathText(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

QPushButton* button(const char* text, const char* name, QWidget* parent) {
    auto* b = new QPushButton(QString::fromUtf8(text), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

CProperty::CProperty(CTormelApp& app, QWidget* parent)
    : QDialog(parent), m_app(app), m_markerPath(new QLineEdit(this)),
      m_dumpPath(new QLineEdit(this)), m_dumpSize(new QLabel(this)) {
    setWindowTitle(QStringLiteral("文書情報"));
    m_markerPath->setObjectName("markerPath");
    m_dumpPath->setObjectName("dumpPath");
    m_dumpSize->setObjectName("dumpSize");
    for (QLineEdit* edit : {m_markerPath, m_dumpPath}) {
        edit->setReadOnly(true);
        edit->setMinimumWidth(420);
    }

    QPushButton* markerFolder = button("保存場所を表示(&A)", "markerFolderButton", this);
    QPushButton* quote = button("マーカ引用(&M)", "quoteButton", this);
    quote->setToolTip(QStringLiteral("マーカ引用\n他のマーカファイルからマーカのみを引用します\n"
                                     "※ 現在セットされているマーカがあるときは上書きされます"));
    QPushButton* dumpFolder = button("保存場所を表示(&B)", "dumpFolderButton", this);
    QPushButton* replace = button("ダンプファイルを変更(&F)", "replaceDumpButton", this);
    replace->setToolTip(
        QStringLiteral("ダンプファイルを変更\n"
                       "現在ダンプリストを表示しているファイルを差し替えます\n"
                       "※ 現在セットされているマーカの位置および内容は変わりません"));
    QPushButton* occurrences = button("出現回数表示(&A)", "occurrenceButton", this);
    QPushButton* close = button("閉じる(&X)", "closeButton", this);
    close->setDefault(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("1 マーカファイル："), this), 0, 0, 1, 3);
    grid->addWidget(m_markerPath, 1, 0, 1, 3);
    grid->addWidget(markerFolder, 2, 1);
    grid->addWidget(quote, 2, 2);
    grid->addWidget(new QLabel(QStringLiteral("2 ダンプファイル："), this), 3, 0, 1, 3);
    grid->addWidget(m_dumpPath, 4, 0, 1, 3);
    grid->addWidget(dumpFolder, 5, 1);
    grid->addWidget(replace, 5, 2);
    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(new QLabel(QStringLiteral("[ファイルサイズ]"), this));
    sizeRow->addWidget(m_dumpSize);
    sizeRow->addStretch();
    grid->addLayout(sizeRow, 6, 0, 1, 3);
    grid->addWidget(occurrences, 7, 0);
    grid->addWidget(close, 7, 2);
    grid->setColumnStretch(0, 1);

    m_markerPath->setText(pathText(m_app.work().markerFilePath()));
    showDumpFile();

    connect(markerFolder, &QPushButton::clicked, this, [this] { showFolderOf(m_markerPath); });
    connect(dumpFolder, &QPushButton::clicked, this, [this] { showFolderOf(m_dumpPath); });
    connect(quote, &QPushButton::clicked, this, &CProperty::quoteMarkers);
    connect(replace, &QPushButton::clicked, this, &CProperty::replaceDumpFile);
    connect(occurrences, &QPushButton::clicked, this,
            [this] { openAppearanceDialog(m_app, this); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void CProperty::showDumpFile() {
    const auto candidates = m_app.work().header().dumpPathCandidates();
    m_dumpPath->setText(candidates.empty() ? QString() : pathText(candidates.front()));
    m_dumpSize->setText(QString::fromStdString(dumpSizeText(m_app.work().dump().size())));
}

void CProperty::showFolderOf(const QLineEdit* pathEdit) {
    ShowFolder(QFile::encodeName(pathEdit->text()).toStdString(), m_app.ui());
}

void CProperty::quoteMarkers() {
    m_app.workflow().quoteMarkers();
}

void CProperty::replaceDumpFile() {
    if (m_app.workflow().replaceDumpFile())
        showDumpFile();
}

void openDocumentInfo(CTormelApp& app, QWidget* parent) {
    if (!app.work().isOpen())
        return;
    CProperty dialog(app, parent);
    dialog.exec();
}

} // namespace byzel
